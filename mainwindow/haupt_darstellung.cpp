// SPDX-License-Identifier: GPL-3.0-or-later
// The Darstellungsgröße. Qt draws every window at the scale factor it read
// when the program started, so another size means another start: the
// program starts itself anew and hands over, in a file, everything that the
// user would otherwise lose.

#include "bausteine/textpane.h"
#include "mainwindow/einstellungen.h"
#include "mainwindow/haupt.h"
#include "schnittstellen/dialoge.h"
#include "schnittstellen/fensterfabrik.h"
#include "schnittstellen/methodenfenster.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryFile>

namespace {

// Opens every carry-over; one of another build is not taken.
const QByteArray kKennung = QByteArrayLiteral("Zifferon-Uebergabe 1");
constexpr auto kStromVersion = QDataStream::Qt_6_4;

} // namespace

void THauptform::erzeugeDarstellungsmenue(QMenu *ansicht)
{
    QMenu *menue = ansicht->addMenu(QStringLiteral("Darstellungs&größe"));
    menue->setObjectName(QStringLiteral("MDarstellungsgroesse"));
    Darstellungsgroesse = new QActionGroup(this);
    Darstellungsgroesse->setObjectName(QStringLiteral("Darstellungsgroesse"));
    for (const int prozent : darstellung::kGroessen) {
        QAction *groesse = menue->addAction(QStringLiteral("%1 %").arg(prozent));
        groesse->setObjectName(QStringLiteral("MGroesse%1").arg(prozent));
        groesse->setData(prozent);
        groesse->setCheckable(true);
        groesse->setChecked(prozent == laufendeGroesse);
        Darstellungsgroesse->addAction(groesse);
    }
    connect(
        Darstellungsgroesse, &QActionGroup::triggered, this, &THauptform::DarstellungsgroesseClick);
}

int THauptform::auswahl(const char *gruppe) const
{
    const auto *g = findChild<QActionGroup *>(QLatin1String(gruppe));
    return g->checkedAction() ? g->checkedAction()->data().toInt() : 0;
}

bool THauptform::setAuswahl(const char *gruppe, int wert)
{
    for (QAction *a : findChild<QActionGroup *>(QLatin1String(gruppe))->actions()) {
        if (a->data().toInt() == wert) {
            a->setChecked(true);
            return true;
        }
    }
    return false;
}

// The new mark stays when the restart is under way; otherwise the mark goes
// back to the size this run is drawn at.
void THauptform::DarstellungsgroesseClick(QAction *gewaehlt)
{
    const int prozent = gewaehlt->data().toInt();
    if (prozent != laufendeGroesse && !starteNeu(prozent))
        setAuswahl("Darstellungsgroesse", laufendeGroesse);
}

// The carry-over file is private to the user, as QTemporaryFile makes it. The
// settings are stored once the new program runs, so the store then holds the
// new size; the new program loads them, but takes the file's values over
// them, which it has whether the store is on or not.
bool THauptform::starteNeu(int prozent)
{
    QTemporaryFile datei(QDir(QDir::tempPath()).filePath(QStringLiteral("zifferon-XXXXXX")));
    datei.setAutoRemove(false);
    bool geschrieben = datei.open();
    if (geschrieben) {
        QDataStream aus(&datei);
        Uebergeben(aus);
        geschrieben = aus.status() == QDataStream::Ok && datei.flush();
        datei.close();
    }
    if (!geschrieben || !dialoge.Neustart(datei.fileName(), darstellung::Skalenfaktor(prozent))) {
        datei.remove();
        dialoge.ZeigeFehler(this,
            QStringLiteral("Zifferon konnte nicht neu gestartet werden. Die Darstellungsgröße "
                           "bleibt, wie sie ist."));
        return false;
    }
    if (OptInRegistry->isChecked())
        einstellungen->EinstellungenSpeichern();
    // Not quit(), which would close the windows first and ask about unsaved
    // texts that the new program holds already.
    QCoreApplication::exit(0);
    return true;
}

void THauptform::Uebergeben(QDataStream &aus)
{
    aus.setVersion(kStromVersion);
    aus << kKennung;
    einstellungen->Uebergeben(aus);
    for (const Seite &seite : { klartextSeite(), chiffreSeite() }) {
        aus << QByteArray::fromStdString(seite.pane.text()) << seite.datei << seite.geaendert
            << seite.ordner << qint32(seite.kodierung);
    }
    QList<qint32> fenster;
    for (const Fensterart art : fabrik.offene())
        fenster << qint32(art);
    // The place in device pixels, which stay what they are at any scale.
    aus << schriftfarbe << MethodenfensterOffen << frameGeometry().topLeft() * devicePixelRatioF()
        << size() << fenster;
}

// Only a carry-over is deleted: the name comes from the environment, where
// anything may stand.
bool THauptform::Uebernehmen(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return false;
    QDataStream ein(&datei);
    ein.setVersion(kStromVersion);
    QByteArray kennung;
    ein >> kennung;
    if (kennung != kKennung)
        return false;
    einstellungen->Uebernehmen(ein);
    uebernimmSeite(ein, klartextSeite());
    uebernimmSeite(ein, chiffreSeite());
    zeigeKodierung();
    bool methodenfenster = false;
    QPoint ort;
    QSize groesse;
    QList<qint32> fenster;
    ein >> schriftfarbe >> methodenfenster >> ort >> groesse >> fenster;
    wendeFarbenAn();
    if (ein.status() == QDataStream::Ok)
        platziereFenster(groesse, ort);
    if (methodenfenster && !MethodenfensterOffen)
        BOptionenClick();
    for (const qint32 art : std::as_const(fenster))
        fabrik.oeffne(Fensterart(art));
    datei.remove();
    return true;
}

// The file state as the old program had it; the undo history starts afresh.
void THauptform::uebernimmSeite(QDataStream &ein, const Seite &seite)
{
    QByteArray text;
    QString name;
    bool geaendert = false;
    QString ordner;
    qint32 kodierung = 0;
    ein >> text >> name >> geaendert >> ordner >> kodierung;
    if (ein.status() != QDataStream::Ok)
        return;
    seite.pane.setText(text.toStdString());
    seite.datei = name;
    seite.ordner = ordner;
    seite.kodierung = textdatei::Kodierung(kodierung);
    setzeGeaendert(seite, geaendert);
}
