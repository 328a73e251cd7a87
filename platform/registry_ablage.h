// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Inside the settings store: where one root keeps its keys. The ini files of
// registry_datei.cpp everywhere but on Windows, the registry itself there.

#include "platform/registry.h"

#include <memory>
#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

namespace registry {

// What a stored value turned out to be.
struct Gelesen
{
    enum class Art { Text, Ganzzahl, ZuLang, Fremd };
    Gelesen(Art art, QString text = {}, qint32 zahl = 0)
        : art(art)
        , text(std::move(text))
        , zahl(zahl)
    { }
    Art art;
    QString text;
    qint32 zahl;
};

// Values as QSettings writes them: names with their stored form.
using Eintraege = QList<std::pair<QString, QVariant>>;

// Where one root keeps its keys. teile is a key path without its leading "Software".
class Ablage
{
public:
    virtual ~Ablage() = default;
    virtual bool existiert(const QStringList &teile) const = 0;
    virtual bool erzeuge(const QStringList &teile) const = 0;
    virtual bool loesche(const QStringList &teile) const = 0;
    virtual bool hatUnterschluessel(const QStringList &teile) const = 0;
    // The values of a key, as QSettings opens them.
    virtual QString ort(const QStringList &teile) const = 0;
    virtual QSettings::Format format() const = 0;
    // All values in one go; false when they did not reach the store.
    virtual bool schreibe(const QString &ort, const Eintraege &werte) const = 0;
    virtual QVariant alsGespeichert(const QString &text) const = 0;
    virtual QVariant alsGespeichert(qint32 zahl) const = 0;
    virtual Gelesen gelesen(const QVariant &gespeichert) const = 0;
};

// Sets all values and syncs once.
bool kommtAn(const QString &ort, QSettings::Format format, const Eintraege &werte);

// Keys as ini files below the folder `wurzel`.
std::shared_ptr<const Ablage> dateiAblage(const QString &wurzel);

} // namespace registry
