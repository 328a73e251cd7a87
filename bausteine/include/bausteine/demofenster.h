// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the demonstration windows and the breaking window share: a window of
// its own without a parent (its own taskbar entry, neither minimised nor
// hidden with the main window) that deletes itself when closed, centred once
// when it first opens, and the sentence that stands in when no text is at
// hand.

#include "cipher/verschl.h"

#include <QWidget>

class Demofenster : public QWidget
{
    Q_OBJECT
public:
    // Windows-1252.
    static constexpr char kBeispielsatz[] = "Kryptologie macht Spa\xdf!";
    // The text, or the sample sentence where it is empty.
    static verschl::Text oderBeispiel(const verschl::Text &text);

public Q_SLOTS:
    void BSchliessenClick();

protected:
    Demofenster(const char *name, const QString &titel);

    // Every opening that is not the desktop restoring the window; the window
    // is centred by then.
    virtual void FormShow() { }
    // Fits the window into `hoehe` pixels of screen height, its frame not
    // counted; runs before each centring. Most windows fit as designed.
    virtual void passeAn(int /*hoehe*/) { }
    // A walk still running must stop: the window is on its way to deletion.
    bool Geschlossen() const { return geschlossen; }

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool platziert = false;
    bool geschlossen = false;
};
