// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the main window: controls, actions, menus, tool bar, pop-up
// menu, status bar, the layout rule and the accelerator clashes.

#include "mainwindow/haupt.h"

#include "bausteine/textpane.h"
#include "platform/benannt.h"
#include "platform/schriften.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

// Pulls the icons out of the static library into whatever links it.
static void ladeBilder() { Q_INIT_RESOURCE(zifferon); }

THauptform::THauptform(Dialoge &dialoge, Fensterfabrik &fabrik, const QStringList &argumente)
    : dialoge(dialoge)
    , fabrik(fabrik)
{
    ladeBilder();
    setObjectName(QStringLiteral("Hauptform"));
    setWindowTitle(QStringLiteral("Zifferon"));
    setWindowIcon(QIcon(QStringLiteral(":/zifferon")));
    setFont(schriften::Fensterschrift(11));
    erzeugeAktionen();
    erzeugeSteuerelemente();
    erzeugeMenues();
    erzeugeWerkzeugleiste();
    erzeugePopupMenue();
    erzeugeStatuszeile();
    FormCreate(argumente);
}

template <typename Handler>
QAction *THauptform::aktion(const char *name, const QString &text, int bild, Handler handler)
{
    QAction *a = benannt(new QAction(text, this), name);
    if (bild >= 0)
        a->setIcon(QIcon(QStringLiteral(":/icons/%1").arg(bild, 2, 10, QLatin1Char('0'))));
    connect(a, &QAction::triggered, this, handler);
    return a;
}

// A check-mark item whose click only inverts the check mark.
QAction *THauptform::schalter(
    const char *name, const QString &text, bool an, void (THauptform::*handler)())
{
    QAction *a = benannt(new QAction(text, this), name);
    a->setCheckable(true);
    a->setChecked(an);
    if (handler) {
        // The handler inverts the mark itself, as it does when run from code.
        connect(a, &QAction::triggered, this, [this, a, handler] {
            a->setChecked(!a->isChecked());
            (this->*handler)();
        });
    }
    return a;
}

void THauptform::erzeugeAktionen()
{
    using H = THauptform;
    using einstellung::standardAn;
    Klartextffnen1 = aktion(
        "Klartextffnen1", QStringLiteral("&Klartext öffnen..."), 0, &H::Klartextffnen1Click);
    Klartextffnen1->setToolTip(QStringLiteral("Klartext öffnen"));
    Klartextffnen1->setShortcut(QKeySequence::Open);
    Klartextspeichern1 = aktion("Klartextspeichern1", QStringLiteral("Klartext s&peichern"), 1,
        &H::Klartextspeichern1Click);
    Klartextspeichern1->setShortcut(QKeySequence::Save);
    Klartextspeichernunter1 = aktion("Klartextspeichernunter1",
        QStringLiteral("Klartext speichern u&nter..."), 2, &H::Klartextspeichernunter1Click);
    Klartextspeichernunter1->setToolTip(QStringLiteral("Klartext speichern unter..."));
    Chiffreffnen1
        = aktion("Chiffreffnen1", QStringLiteral("Chiffre öffnen..."), 3, &H::Chiffreffnen1Click);
    Chiffreffnen1->setToolTip(QStringLiteral("Chiffre öffnen"));
    Chiffrespeichern1 = aktion(
        "Chiffrespeichern1", QStringLiteral("Chiffre &speichern"), 4, &H::Chiffrespeichern1Click);
    Chriffrespeichernunter1 = aktion("Chriffrespeichernunter1",
        QStringLiteral("Chriffre speichern &unter..."), 5, &H::Chriffrespeichernunter1Click);
    Chriffrespeichernunter1->setToolTip(QStringLiteral("Chiffre speichern unter..."));
    Beenden1 = aktion("Beenden1", QStringLiteral("&Beenden"), -1, &H::Beenden1Click);
    // "Klartext s&peichern" has P already.
    Drucken1 = aktion("Drucken1", QStringLiteral("&Drucken..."), -1, &H::DruckenClick);
    Drucken1->setShortcut(QKeySequence::Print);
    AlsPdfSpeichern1 = aktion(
        "AlsPdfSpeichern1", QStringLiteral("Als PD&F speichern..."), -1, &H::AlsPdfSpeichernClick);
    MArbeitsblatt = aktion(
        "MArbeitsblatt", QStringLiteral("&Arbeitsblatt erstellen..."), -1, &H::ArbeitsblattClick);

    MMKlartextloeschen = aktion(
        "MMKlartextloeschen", QStringLiteral("&Klartext löschen"), 6, &H::MMKlartextloeschenClick);
    MMKlartextloeschen->setToolTip(QStringLiteral("Klartext löschen"));
    MMChiffreloeschen = aktion(
        "MMChiffreloeschen", QStringLiteral("&Chiffre löschen"), 7, &H::MMChiffreloeschenClick);
    MMChiffreloeschen->setToolTip(QStringLiteral("Chiffre löschen"));
    Textetauschen
        = aktion("Textetauschen", QStringLiteral("&Texte tauschen"), 8, &H::TextetauschenClick);
    Textetauschen->setToolTip(QStringLiteral("Texte tauschen"));
    Schriftartwaehlen = aktion(
        "Schriftartwaehlen", QStringLiteral("&Schriftart..."), 9, &H::SchriftartwaehlenClick);
    Zeilenumbruchautomatisch = schalter("Zeilenumbruchautomatisch",
        QStringLiteral("&Zeilenumbruch"), WordWrap, &H::ZeilenumbruchautomatischClick);
    MMHintergrundfarbig = schalter("MMHintergrundfarbig", QStringLiteral("&Hintergrund farbig"),
        standardAn(u"HintergrundFarbig"), &H::MMHintergrundfarbigClick);

    MMVerschluesseln = aktion(
        "MMVerschluesseln", QStringLiteral("&Verschlüsseln"), 14, &H::BVerschluesselnClick);
    MMVerschluesseln->setToolTip(QStringLiteral("Klartext verschlüsseln"));
    MMEntschluesseln = aktion(
        "MMEntschluesseln", QStringLiteral("&Entschlüsseln"), 15, &H::BEntschluesselnClick);
    MMEntschluesseln->setToolTip(QStringLiteral("Chiffre entschlüsseln"));
    // Checkable, so the menu shows a check mark and the tool button stays
    // pressed while the method window is open; the toggle sets the mark.
    Optionsfester = aktion(
        "Optionsfester", QStringLiteral("Verschlüsselungs-&Methode..."), 10, &H::BOptionenClick);
    Optionsfester->setToolTip(QStringLiteral("Verschlüsslungsmethode wählen"));
    Optionsfester->setCheckable(true);
    // Without an icon: the same action stands in the pop-up menu, which has none.
    MAnalyse
        = aktion("MAnalyse", QStringLiteral("&Geheimtext analysieren..."), -1, &H::MAnalyseClick);
    MKnacken = aktion(
        "MKnacken", QStringLiteral("&Knacken Schritt für Schritt..."), -1, &H::MKnackenClick);

    MatrixVerschlsselung1 = aktion("MatrixVerschlsselung1",
        QStringLiteral("Matrix-Verschlüsselung"), 16, &H::MatrixVerschlsselung1Click);
    MatrixVerschlsselung1->setToolTip(QStringLiteral("Demo Matrix-Verschlüsselung"));
    CaesarVerschlsselung1 = aktion("CaesarVerschlsselung1",
        QStringLiteral("Caesar-Verschlüsselung"), 17, &H::CaesarVerschlsselung1Click);
    CaesarVerschlsselung1->setToolTip(QStringLiteral("Demo Caesar-Verschlüsselung"));
    VigenreMatrix1 = aktion(
        "VigenreMatrix1", QStringLiteral("&Vigenère-Verschlüsselung"), 18, &H::VigenreMatrix1Click);
    VigenreMatrix1->setToolTip(QStringLiteral("Demo Vigenère-Verschlüsselung"));

    SMNichtgespeichertWarnung
        = schalter("SMNichtgespeichertWarnung", QStringLiteral("&Nicht-gespeichert-Warnung"),
            standardAn(u"NichtGespeichertWarnung"), nullptr);
    SMUeberschreibwarnung = schalter("SMUeberschreibwarnung", QStringLiteral("Ü&berschreibwarnung"),
        standardAn(u"UeberschreibWarnung"), nullptr);
    MMDemoOptUebernehmen
        = schalter("MMDemoOptUebernehmen", QStringLiteral("&Demo-Optionen übernehmen"),
            standardAn(u"DemoOptUebernehmen"), &H::MMDemoOptUebernehmenClick);
    MMDemoOptUebernehmen->setStatusTip(
        QStringLiteral("Änderungen in den Demos wirken sich im Hauptprogramm aus"));
    MMDemoOptUebernehmen->setToolTip(MMDemoOptUebernehmen->statusTip());
    OptInRegistry = schalter("OptInRegistry",
        QStringLiteral("Einstellungen in Registrierung &speichern"), false, &H::OptInRegistryClick);

    Liesmich1 = aktion("Liesmich1", QStringLiteral("&Kurzanleitung..."), 12, &H::Liesmich1Click);
    ber1 = aktion("ber1", QStringLiteral("Ü&ber..."), 13, &H::Ueber1Click);
}

void THauptform::erzeugeSteuerelemente()
{
    arbeitsflaeche = benannt(new QWidget(this), "Arbeitsflaeche");
    setCentralWidget(arbeitsflaeche);
    arbeitsflaeche->installEventFilter(this);

    LKlartext = benannt(new QLabel(QStringLiteral("Klartext"), arbeitsflaeche), "LKlartext");
    Lchiffre = benannt(new QLabel(QStringLiteral("Chiffre"), arbeitsflaeche), "Lchiffre");
    for (QLabel *label : { LKlartext, Lchiffre })
        label->setFont(schriften::Fensterschrift(16));
    // What the buttons will do, in the gap between the panes; a click opens
    // the method window.
    LMethode = benannt(new QLabel(arbeitsflaeche), "LMethode");
    LMethode->setCursor(Qt::PointingHandCursor);
    LMethode->setAccessibleDescription(QStringLiteral("Ein Klick öffnet das Methodenfenster."));
    LMethode->installEventFilter(this);

    MKlar = benannt(new TextPane(arbeitsflaeche), "MKlar");
    MChiffre = benannt(new TextPane(arbeitsflaeche), "MChiffre");
    for (TextPane *pane : { MKlar, MChiffre }) {
        pane->setFont(schriften::Paneschrift());
        pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    // The captions name the panes for screen readers.
    LKlartext->setBuddy(MKlar);
    Lchiffre->setBuddy(MChiffre);
    connect(MKlar, &QPlainTextEdit::textChanged, this, &THauptform::MKlarChange);
    connect(MChiffre, &QPlainTextEdit::textChanged, this, &THauptform::MChiffreChange);

    auto knopf = [this](const char *name, const QString &text, void (THauptform::*handler)()) {
        auto *k = benannt(new QPushButton(text, arbeitsflaeche), name);
        connect(k, &QPushButton::clicked, this, handler);
        return k;
    };
    BVerschluesseln = knopf(
        "BVerschluesseln", QStringLiteral("&Verschlüsseln"), &THauptform::BVerschluesselnClick);
    BEntschluesseln = knopf(
        "BEntschluesseln", QStringLiteral("&Entschlüsseln"), &THauptform::BEntschluesselnClick);
    BOptionen = knopf("BOptionen", QStringLiteral("&Methode >>"), &THauptform::BOptionenClick);
    BBeenden = knopf("BBeenden", QStringLiteral("&Beenden"), &THauptform::Beenden1Click);

    setTabOrder(MKlar, MChiffre);
    setTabOrder(MChiffre, BVerschluesseln);
    setTabOrder(BVerschluesseln, BEntschluesseln);
    setTabOrder(BEntschluesseln, BOptionen);
    setTabOrder(BOptionen, BBeenden);
}

void THauptform::erzeugeMenues()
{
    Datei1 = benannt(menuBar()->addMenu(QStringLiteral("&Datei")), "Datei1");
    Datei1->addActions({ Klartextffnen1, Klartextspeichern1, Klartextspeichernunter1 });
    Datei1->addSeparator();
    Datei1->addActions({ Chiffreffnen1, Chiffrespeichern1, Chriffrespeichernunter1 });
    Datei1->addSeparator();
    Datei1->addActions({ Drucken1, AlsPdfSpeichern1, MArbeitsblatt });
    Datei1->addSeparator();
    Datei1->addAction(Beenden1);

    QMenu *ansicht = benannt(menuBar()->addMenu(QStringLiteral("&Ansicht")), "Ansicht");
    ansicht->addActions(
        { MMKlartextloeschen, MMChiffreloeschen, Textetauschen, Schriftartwaehlen });
    ansicht->addSeparator();
    ansicht->addActions({ Zeilenumbruchautomatisch, MMHintergrundfarbig });
    ansicht->addSeparator();
    erzeugeDarstellungsmenue(ansicht);

    QMenu *verschluesselung
        = benannt(menuBar()->addMenu(QStringLiteral("&Verschlüsselung")), "MMVerschluesselung");
    verschluesselung->addActions({ MMVerschluesseln, MMEntschluesseln });
    verschluesselung->addSeparator();
    verschluesselung->addAction(Optionsfester);
    verschluesselung->addSeparator();
    verschluesselung->addAction(MAnalyse);

    Demos1 = benannt(menuBar()->addMenu(QStringLiteral("&Demos")), "Demos1");
    Demos1->addActions({ MatrixVerschlsselung1, CaesarVerschlsselung1, VigenreMatrix1 });
    Demos1->addSeparator();
    Demos1->addAction(MKnacken);

    QMenu *optionen = benannt(menuBar()->addMenu(QStringLiteral("&Optionen")), "Optionen1");
    QMenu *warnungen = benannt(optionen->addMenu(QStringLiteral("&Warnungen")), "Warungen1");
    warnungen->setIcon(QIcon(QStringLiteral(":/icons/11")));
    warnungen->addActions({ SMNichtgespeichertWarnung, SMUeberschreibwarnung });
    optionen->addActions({ MMDemoOptUebernehmen, OptInRegistry });
    optionen->setToolTipsVisible(true);

    QMenu *hilfe = benannt(menuBar()->addMenu(QStringLiteral("&Hilfe")), "Hilfe1");
    hilfe->addAction(Liesmich1);
    hilfe->addSeparator();
    hilfe->addAction(ber1);
}

void THauptform::erzeugeWerkzeugleiste()
{
    ToolBar = benannt(addToolBar(QStringLiteral("Werkzeugleiste")), "ToolBar");
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setIconSize(QSize(16, 16));
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    const std::initializer_list<std::pair<QAction *, const char *>> knoepfe = {
        { Klartextffnen1, "ToolButton1" },
        { Klartextspeichernunter1, "ToolButton3" },
        { nullptr, nullptr },
        { Chiffreffnen1, "ToolButton4" },
        { Chriffrespeichernunter1, "ToolButton6" },
        { nullptr, nullptr },
        { MMKlartextloeschen, "ToolButton7" },
        { MMChiffreloeschen, "ToolButton8" },
        { Textetauschen, "ToolButton9" },
        { nullptr, nullptr },
        { MMVerschluesseln, "ToolBVerschluesseln" },
        { MMEntschluesseln, "ToolBEntschluesseln" },
        { Optionsfester, "ToolBOptionen" },
        { nullptr, nullptr },
        { MatrixVerschlsselung1, "TBMatrixDemo" },
        { CaesarVerschlsselung1, "TBCaesarDemo" },
        { VigenreMatrix1, "TBVigenereDemo" },
    };
    for (const auto &[aktion, name] : knoepfe) {
        if (!aktion) {
            ToolBar->addSeparator();
            continue;
        }
        ToolBar->addAction(aktion);
        ToolBar->widgetForAction(aktion)->setObjectName(QLatin1String(name));
    }
}

// The pop-up items have captions of their own and no icons, so they are
// actions of their own that run the same handlers.
void THauptform::erzeugePopupMenue()
{
    PopupMenu1 = benannt(new QMenu(this), "PopupMenu1");
    auto eintrag = [this](const char *name, const QString &text, void (THauptform::*handler)()) {
        QAction *a = benannt(PopupMenu1->addAction(text), name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    using H = THauptform;
    eintrag("Kurzanleitung1", QStringLiteral("Kurzanleitung"), &H::Liesmich1Click);
    eintrag("ber2", QStringLiteral("Über..."), &H::Ueber1Click);
    PopupMenu1->addSeparator();
    eintrag("Methodenfensteranaus1", QStringLiteral("Methodenfenster an/aus"), &H::BOptionenClick);
    PopupMenu1->addSeparator();
    eintrag("verschlsseln1", QStringLiteral("verschlüsseln"), &H::BVerschluesselnClick);
    eintrag("entschlsseln1", QStringLiteral("entschlüsseln"), &H::BEntschluesselnClick);
    eintrag("Textetauschen1", QStringLiteral("Texte tauschen"), &H::TextetauschenClick);
    PopupMenu1->addAction(MAnalyse);
    PopMenueTrennstrich = benannt(PopupMenu1->addSeparator(), "PopMenueTrennstrich");
    PopMDemoMatrix
        = eintrag("PopMDemoMatrix", QStringLiteral("Demo Matrix"), &H::MatrixVerschlsselung1Click);
    PopMDemoCaesar
        = eintrag("PopMDemoCaesar", QStringLiteral("Demo Caesar"), &H::CaesarVerschlsselung1Click);
    PopMDemoVigenere
        = eintrag("PopMDemoVigenere", QStringLiteral("Demo Vigenère"), &H::VigenreMatrix1Click);
    PopupMenu1->addSeparator();
    eintrag("Beenden2", QStringLiteral("Beenden"), &H::Beenden1Click);

    for (QWidget *w : std::initializer_list<QWidget *> {
             LKlartext, Lchiffre, BVerschluesseln, BEntschluesseln, BOptionen, BBeenden }) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
            [this, w](const QPoint &pos) { PopupMenu1->popup(w->mapToGlobal(pos)); });
    }
}

void THauptform::erzeugeStatuszeile()
{
    StatusBar1 = benannt(new QLabel(QStringLiteral("Zifferon – ein Lernprogramm von Nordhain · "
                                                   "https://zifferon.example"),
                             statusBar()),
        "StatusBar1");
    StatusBar1->setCursor(Qt::PointingHandCursor);
    StatusBar1->setToolTip(QStringLiteral("Zur Homepage von Zifferon"));
    StatusBar1->installEventFilter(this);
    statusBar()->addWidget(StatusBar1, 1);
}

// The layout rule. The numbers are those of the designed client area, which
// holds the tool bar at its top and the status bar at its bottom; the work
// area lies between them. Both bars are as high as the style makes them.
void THauptform::FormResize()
{
    const int werkzeugleiste = ToolBar->sizeHint().height();
    const int W = arbeitsflaeche->width();
    const int H = arbeitsflaeche->height() + werkzeugleiste + statusBar()->sizeHint().height();

    const int paneHoehe = std::max((H - 150) / 2, 0);
    const int klarOben = 54 - werkzeugleiste;
    // Designed one pixel below a tool bar of 29 pixels; never under a higher one.
    LKlartext->setGeometry(2, std::max(30 - werkzeugleiste, 0), LKlartext->sizeHint().width(), 20);
    MKlar->setGeometry(0, klarOben, W, paneHoehe);
    const int chiffreOben = klarOben + paneHoehe + 30;
    MChiffre->setGeometry(0, chiffreOben, W, paneHoehe);
    Lchiffre->setGeometry(2, chiffreOben - 20 - 3, Lchiffre->sizeHint().width(), 20);
    zeigeMethode();

    // The buttons keep their designed distance of 52 pixels to the bottom.
    const int knopfOben = H - 52 - werkzeugleiste;
    const int knopfBreite = (W - 34) / 4;
    int links = 1;
    for (QPushButton *knopf : { BVerschluesseln, BEntschluesseln, BOptionen, BBeenden }) {
        knopf->setGeometry(links, knopfOben, knopfBreite, 25);
        links += knopfBreite + 10;
    }
    statusBar()->repaint();
}

bool THauptform::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == arbeitsflaeche && event->type() == QEvent::Resize)
        FormResize();
    else if (watched == arbeitsflaeche && event->type() == QEvent::MouseButtonPress) {
        // Presses that a pane or button left unhandled arrive here too; only
        // the free area itself counts.
        auto *maus = static_cast<QMouseEvent *>(event);
        if (!arbeitsflaeche->childAt(maus->position().toPoint()))
            FormMouseDown(maus);
    } else if (watched == StatusBar1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        StatusBar1Click();
    else if (watched == LMethode && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        LMethodeClick();
    return QMainWindow::eventFilter(watched, event);
}

// Two letters are each claimed twice by the captions: V by the menu
// "&Verschlüsselung" and the button "&Verschlüsseln", D by the menus "&Datei"
// and "&Demos". Qt would call such a clash ambiguous and only move the focus.
// Here the button always acts, and Alt+D opens the two menus in turn.
bool THauptform::menueKuerzel(const QKeyEvent *taste) const
{
#ifdef Q_OS_MACOS
    // macOS has no Alt accelerators: Option+V and Option+D type characters.
    Q_UNUSED(taste);
    return false;
#else
    return (taste->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier
        && (taste->key() == Qt::Key_V || taste->key() == Qt::Key_D);
#endif
}

bool THauptform::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride
        && menueKuerzel(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QMainWindow::event(event);
}

void THauptform::keyPressEvent(QKeyEvent *event)
{
    if (!menueKuerzel(event)) {
        QMainWindow::keyPressEvent(event);
    } else if (event->key() == Qt::Key_V) {
        BVerschluesseln->animateClick();
    } else {
        naechstesMenue();
    }
}

void THauptform::naechstesMenue()
{
    const QList<QMenu *> menues = { Datei1, Demos1 };
    for (qsizetype schritt = 1; schritt <= menues.size(); ++schritt) {
        const int i = int((letztesMenueKuerzel + schritt) % menues.size());
        if (menues[i]->menuAction()->isVisible()) {
            letztesMenueKuerzel = i;
            menuBar()->setActiveAction(menues[i]->menuAction());
            return;
        }
    }
}
