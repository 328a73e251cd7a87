// SPDX-License-Identifier: GPL-3.0-or-later
#include "programm/qtdialoge.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QMessageBox>
#include <QPrinter>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QMessageBox::StandardButton frage(QWidget *eltern, const QString &text,
    QMessageBox::StandardButtons knoepfe, QMessageBox::StandardButton vorgabe)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"), text, knoepfe, eltern);
    box.setDefaultButton(vorgabe);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<Speicherziel> dateidialog(
    QWidget *eltern, const Dateiwahl &wahl, QFileDialog::AcceptMode modus)
{
    const auto dialog = BaueDateidialog(eltern, wahl, modus);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return Speicherziel { dialog->selectedFiles().constFirst(), Utf8Gewaehlt(*dialog) };
}

const QString kUtf8 = QStringLiteral(" UTF-8");

// The sixteen colours of the classic font dialog.
const std::pair<const char *, QColor> kSchriftfarben[] = {
    { "Schwarz", QColor(0, 0, 0) },
    { "Kastanienbraun", QColor(128, 0, 0) },
    { "Grün", QColor(0, 128, 0) },
    { "Oliv", QColor(128, 128, 0) },
    { "Marineblau", QColor(0, 0, 128) },
    { "Lila", QColor(128, 0, 128) },
    { "Blaugrün", QColor(0, 128, 128) },
    { "Grau", QColor(128, 128, 128) },
    { "Silber", QColor(192, 192, 192) },
    { "Rot", QColor(255, 0, 0) },
    { "Hellgrün", QColor(0, 255, 0) },
    { "Gelb", QColor(255, 255, 0) },
    { "Blau", QColor(0, 0, 255) },
    { "Fuchsie", QColor(255, 0, 255) },
    { "Aqua", QColor(0, 255, 255) },
    { "Weiß", QColor(255, 255, 255) },
};

} // namespace

std::unique_ptr<QFileDialog> BaueDateidialog(
    QWidget *eltern, const Dateiwahl &wahl, QFileDialog::AcceptMode modus)
{
    const QString textdateien = QStringLiteral("Textdateien (*.txt)");
    const QString alle = QStringLiteral("alle Dateien (*)");
    const QString textdateienUtf8 = QStringLiteral("Textdateien UTF-8 (*.txt)");
    auto dialog = std::make_unique<QFileDialog>(eltern, wahl.titel, wahl.ordner);
    dialog->setAcceptMode(modus);
    const bool speichern = modus == QFileDialog::AcceptSave;
    dialog->setFileMode(speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // "*" rather than "*.*": on Linux and macOS many text files have no dot.
    // Opening finds the encoding by itself; saving lets the user choose it,
    // so the UTF-8 filters come after the usual two, which stay the default.
    QStringList filter { textdateien, alle };
    if (speichern)
        filter << textdateienUtf8 << QStringLiteral("alle Dateien UTF-8 (*)");
    dialog->setNameFilters(filter);
    if (speichern && wahl.utf8)
        dialog->selectNameFilter(textdateienUtf8);
    // ".txt" belongs to the text filters only: under "alle Dateien" a name is
    // taken as typed.
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    QObject::connect(dialog.get(), &QFileDialog::filterSelected, dialog.get(),
        [d = dialog.get(), textdateien, textdateienUtf8](const QString &filter) {
            const bool text = filter == textdateien || filter == textdateienUtf8;
            d->setDefaultSuffix(text ? QStringLiteral("txt") : QString());
        });
    // The program asks before overwriting, and only when the user wants it.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->selectFile(wahl.dateiname);
    return dialog;
}

bool Utf8Gewaehlt(const QFileDialog &dialog)
{
    return dialog.acceptMode() == QFileDialog::AcceptSave
        && dialog.selectedNameFilter().contains(kUtf8);
}

void QtDialoge::ZeigeWarnung(QWidget *eltern, const QString &text)
{
    QMessageBox::warning(eltern, QStringLiteral("Warnung"), text);
}

void QtDialoge::ZeigeFehler(QWidget *eltern, const QString &text)
{
    QMessageBox::critical(eltern, QStringLiteral("Fehler"), text);
}

Dialoge::Antwort QtDialoge::FrageJaNeinAbbrechen(QWidget *eltern, const QString &text)
{
    switch (frage(
        eltern, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Antwort::Ja;
    case QMessageBox::No:
        return Antwort::Nein;
    default:
        return Antwort::Abbrechen;
    }
}

bool QtDialoge::FrageOkAbbrechen(QWidget *eltern, const QString &text)
{
    return frage(eltern, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

std::optional<QString> QtDialoge::DateiOeffnen(QWidget *eltern, const Dateiwahl &wahl)
{
    if (const auto ziel = dateidialog(eltern, wahl, QFileDialog::AcceptOpen))
        return ziel->pfad;
    return std::nullopt;
}

std::optional<Speicherziel> QtDialoge::DateiSpeichern(QWidget *eltern, const Dateiwahl &wahl)
{
    return dateidialog(eltern, wahl, QFileDialog::AcceptSave);
}

// The suffix of a filter such as "PDF-Dateien (*.pdf)": "pdf".
static QString endungVon(const QString &filter)
{
    static const QRegularExpression muster(QStringLiteral("\\*\\.(\\w+)"));
    return muster.match(filter).captured(1);
}

std::optional<QString> QtDialoge::DokumentSpeichern(
    QWidget *eltern, const Dateiwahl &wahl, const QStringList &filter)
{
    QFileDialog dialog(eltern, wahl.titel, wahl.ordner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filter);
    dialog.setDefaultSuffix(endungVon(filter.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString &gewaehlt) { dialog.setDefaultSuffix(endungVon(gewaehlt)); });
    dialog.selectFile(wahl.dateiname);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void QtDialoge::Druckvorschau(QWidget *eltern, const Druckauftrag &auftrag)
{
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setDocName(auftrag.titel);
    drucker.setPageSize(auftrag.seitengroesse);
    QPrintPreviewDialog vorschau(&drucker, eltern);
    vorschau.setWindowTitle(QStringLiteral("Druckvorschau – ") + auftrag.titel);
    QObject::connect(&vorschau, &QPrintPreviewDialog::paintRequested, &vorschau,
        [&auftrag, &vorschau](QPrinter *geraet) {
            if (auftrag.zeichne(*geraet))
                return;
            // The preview paints before it first shows: a job cancelled or
            // refused then ends it unseen.
            if (!vorschau.isVisible())
                vorschau.setAttribute(Qt::WA_DontShowOnScreen);
            QMetaObject::invokeMethod(&vorschau, &QDialog::reject, Qt::QueuedConnection);
        });
    vorschau.exec();
}

namespace {

class Fortschrittsfenster : public Fortschritt
{
public:
    Fortschrittsfenster(QWidget *eltern, const QString &titel)
        : fenster(QString(), QStringLiteral("Abbrechen"), 0, 1, eltern)
    {
        fenster.setWindowTitle(titel);
        // Any other window could change what is being worked on.
        fenster.setWindowModality(Qt::ApplicationModal);
        fenster.setMinimumDuration(500);
        // Its steps come one after another in the one window.
        fenster.setAutoReset(false);
        fenster.setAutoClose(false);
    }
    bool melde(const QString &schritt, int erledigt, int gesamt) override
    {
        if (fenster.labelText() != schritt)
            fenster.setLabelText(schritt);
        fenster.setMaximum(gesamt);
        // Once shown, the window answers here, modal as it is.
        fenster.setValue(erledigt);
        return !fenster.wasCanceled();
    }

private:
    QProgressDialog fenster;
};

} // namespace

std::unique_ptr<Fortschritt> QtDialoge::Fortschrittsanzeige(QWidget *eltern, const QString &titel)
{
    return std::make_unique<Fortschrittsfenster>(eltern, titel);
}

// Qt's font dialog has underline and strike-out but no colour; it is embedded
// here with a colour list beside it.
std::optional<Schrift> QtDialoge::Schriftart(QWidget *eltern, const Schrift &vorher)
{
    QDialog dialog(eltern);
    dialog.setWindowTitle(QStringLiteral("Schriftart"));
    // The dialog lists installed families only: preselect the one that the
    // panes really show (say "Liberation Mono" for "Courier New").
    QFont start = vorher.font;
    start.setFamilies({ QFontInfo(start).family() });
    auto *schrift = new QFontDialog(start, &dialog);
    schrift->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    schrift->setWindowFlags(Qt::Widget);
    auto *farbe = new QComboBox(&dialog);
    farbe->addItem(QStringLiteral("Standard"));
    for (const auto &[name, wert] : kSchriftfarben) {
        farbe->addItem(QString::fromUtf8(name), wert);
        if (vorher.farbe == wert)
            farbe->setCurrentIndex(farbe->count() - 1);
    }
    auto *knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(knoepfe, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(knoepfe, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *farbzeile = new QFormLayout;
    farbzeile->addRow(QStringLiteral("&Farbe:"), farbe);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(schrift);
    layout->addLayout(farbzeile);
    layout->addWidget(knoepfe);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Schrift { schrift->currentFont(), farbe->currentData().value<QColor>() };
}

void QtDialoge::OeffneAdresse(const QUrl &adresse) { QDesktopServices::openUrl(adresse); }

// Without the arguments of this start: the texts come from the file, and a
// file name or "-firstoption" must not act a second time. The file's name
// goes in the environment, which the command line's meanings leave alone.
bool QtDialoge::Neustart(const QString &uebergabe, const QByteArray &skalenfaktor)
{
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QLatin1String(kUebergabeVariable), uebergabe);
    if (skalenfaktor.isEmpty())
        umgebung.remove(QStringLiteral("QT_SCALE_FACTOR"));
    else
        umgebung.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(skalenfaktor));
    QProcess prozess;
    prozess.setProgram(QCoreApplication::applicationFilePath());
    prozess.setProcessEnvironment(umgebung);
    return prozess.startDetached();
}
