// SPDX-License-Identifier: GPL-3.0-or-later
// Paper: both texts printed or saved as PDF under their headings with the
// method line, and the worksheet maker opened.

#include "bausteine/methodenzeile.h"
#include "bausteine/textpane.h"
#include "mainwindow/haupt.h"
#include "papier/papier.h"
#include "platform/dateiname.h"
#include "schnittstellen/dialoge.h"
#include "schnittstellen/fensterfabrik.h"
#include "schnittstellen/methodenfenster.h"

#include <QFileInfo>
#include <QTextCursor>
#include <QTextDocument>

// Built once per command; the preview may paint it many times.
Druckauftrag THauptform::textauftrag()
{
    std::shared_ptr<QTextDocument> dokument = papier::NeuesDokument();
    QTextCursor cursor(dokument.get());
    papier::Absatz(cursor, Methodenzeile(methodenfenster->einstellungen()));
    papier::Ueberschrift(cursor, QStringLiteral("Klartext"));
    papier::Paneabsatz(cursor, MKlar->text(), MKlar->font());
    papier::Ueberschrift(cursor, QStringLiteral("Chiffre"));
    papier::Paneabsatz(cursor, MChiffre->text(), MChiffre->font());
    return { QStringLiteral("Klartext und Chiffre"), QPageSize(QPageSize::A4),
        [dokument, this](QPagedPaintDevice &geraet) {
            return papier::Drucke(*dokument, geraet, dialoge, this);
        } };
}

void THauptform::DruckenClick() { dialoge.Druckvorschau(this, textauftrag()); }

void THauptform::AlsPdfSpeichernClick()
{
    const QString name = QFileInfo(KlartextDatei).completeBaseName() + QStringLiteral(".pdf");
    const auto pfad = dialoge.DokumentSpeichern(this,
        { QStringLiteral("Als PDF speichern"), Pfad, name, false },
        { QStringLiteral("PDF-Dateien (*.pdf)") });
    if (pfad && papier::SchreibePdf(*pfad, textauftrag()) == papier::Pdf::Fehler)
        dialoge.ZeigeFehler(this, dateiname::Speicherfehler(*pfad));
}

void THauptform::ArbeitsblattClick() { fabrik.oeffne(Fensterart::Arbeitsblatt); }
