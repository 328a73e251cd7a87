// SPDX-License-Identifier: GPL-3.0-or-later
// Screen readers, the keyboard and dark colour schemes: every control that
// Tab reaches has a name to read out, the tab orders hold, and every text
// stays readable under a light and a dark palette, switched at run time.

#include "demos/stringaligngrid.h"
#include "platform/farben.h"
#include "testhilfen/aufbau.h"

#include <functional>
#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

namespace {

// Every window of the program: the two that live as long as it does, and one
// of each kind that the program start knows how to open.
QList<QWidget *> alleFenster(Aufbau &a)
{
    QList<QWidget *> fenster = { &a.haupt(), &a.option() };
    for (const Fensterart art : a.programm.fenster.arten()) {
        const QWidgetList vorher = QApplication::topLevelWidgets();
        a.programm.fenster.oeffne(art);
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!vorher.contains(w) && !w->parentWidget())
                fenster << w;
        }
    }
    return fenster;
}

QWidget *fensterNamens(const QList<QWidget *> &fenster, const QString &name)
{
    for (QWidget *f : fenster) {
        if (f->objectName() == name)
            return f;
    }
    qFatal("no window %s", qPrintable(name));
}

// The controls that Tab can reach now and that a screen reader would
// announce without a name. A part that hands its focus on (a number field's
// text) is announced as the control it hands it to.
QStringList namenlose(QWidget *fenster)
{
    QStringList ohne;
    for (QWidget *w : fenster->findChildren<QWidget *>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(fenster) || w->focusProxy())
            continue;
        QAccessibleInterface *zugang = QAccessible::queryAccessibleInterface(w);
        if (!zugang || zugang->text(QAccessible::Name).trimmed().isEmpty())
            ohne << fenster->objectName() + u'/' + w->objectName() + u' '
                    + QLatin1String(w->metaObject()->className());
    }
    return ohne;
}

// The named controls in the order Tab visits them; Qt's own inner parts
// (a number field's text, for one) go with their control.
QStringList tabFolge(QWidget *fenster)
{
    QStringList folge;
    for (QWidget *w = fenster->nextInFocusChain(); w != fenster; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->window() == fenster
            && !w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"))
            folge << w->objectName();
    }
    return folge;
}

// The texts that claim the same letter, joined, prefixed with `wo`.
QStringList doppelte(const QString &wo, const QStringList &texte)
{
    QMap<int, QStringList> tasten;
    for (const QString &text : texte) {
        if (const QKeySequence taste = QKeySequence::mnemonic(text); !taste.isEmpty())
            tasten[taste[0].key()] << text;
    }
    QStringList doppelt;
    for (const QStringList &gleich : std::as_const(tasten)) {
        if (gleich.size() > 1)
            doppelt << wo + QStringLiteral(": ") + gleich.join(u" / ");
    }
    return doppelt;
}

// The Alt+letters claimed twice in the window as it shows now, by captions
// of buttons and group boxes, labels with a buddy and the menu bar; and the
// letters claimed twice within one of its menus, where a letter only moves
// between its items.
QStringList doppelteKuerzel(QWidget *fenster)
{
    QStringList texte;
    const auto nimm = [&](const QString &text) { texte << text; };
    for (QWidget *w : fenster->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(fenster))
            continue;
        if (auto *knopf = qobject_cast<QAbstractButton *>(w))
            nimm(knopf->text());
        else if (auto *box = qobject_cast<QGroupBox *>(w))
            nimm(box->title());
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            nimm(label->text());
        else if (auto *leiste = qobject_cast<QMenuBar *>(w)) {
            for (QAction *menue : leiste->actions())
                nimm(menue->text());
        }
    }
    QStringList doppelt = doppelte(fenster->objectName(), texte);
    for (const QMenu *menue : fenster->findChildren<QMenu *>()) {
        QStringList eintraege;
        for (const QAction *a : menue->actions())
            eintraege << a->text();
        doppelt << doppelte(menue->objectName(), eintraege);
    }
    return doppelt;
}

// Every window as it shows now, and the method window once more for each
// method, since each shows controls of its own.
void jedeAnsicht(Aufbau &a, const std::function<void(QWidget *)> &pruefe)
{
    for (QWidget *f : alleFenster(a))
        pruefe(f);
    for (int methode = 0; methode <= int(Methode::Substitution); ++methode) {
        a.steuer<QRadioButton>(qPrintable(QStringLiteral("RadioGroupItem%1").arg(methode)))
            .setChecked(true);
        pruefe(&a.option());
    }
}

QPalette dunklePalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(53, 53, 53));
    p.setColor(QPalette::WindowText, QColor(238, 238, 238));
    p.setColor(QPalette::Base, QColor(36, 36, 36));
    p.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    p.setColor(QPalette::Text, QColor(238, 238, 238));
    p.setColor(QPalette::Button, QColor(60, 60, 60));
    p.setColor(QPalette::ButtonText, QColor(238, 238, 238));
    p.setColor(QPalette::Mid, QColor(48, 48, 48)); // as close to Base as some themes give it
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    return p;
}

template <typename T>
T *steuerIn(const QList<QWidget *> &fenster, const char *art, const char *name = nullptr)
{
    T *w = fensterNamens(fenster, QLatin1String(art))
               ->template findChild<T *>(name ? QLatin1String(name) : QString());
    if (!w)
        qFatal("no control %s in %s", name ? name : "of that class", art);
    return w;
}

struct Farbpaar
{
    QColor schrift;
    QColor hintergrund;
};

// What a reader sees of one element: its text colour on its background.
Farbpaar farbenVon(const QString &element, const QList<QWidget *> &fenster)
{
    if (element == u"Klartext" || element == u"Chiffre") {
        const QPalette &p = steuerIn<QPlainTextEdit>(
            fenster, "Hauptform", element == u"Klartext" ? "MKlar" : "MChiffre")
                                ->palette();
        return { p.color(QPalette::Text), p.color(QPalette::Base) };
    }
    if (element == u"Liesmich") {
        QWidget *flaeche = steuerIn<QPlainTextEdit>(fenster, "Liesmich")->viewport();
        return { flaeche->palette().color(QPalette::Text),
            flaeche->palette().color(flaeche->backgroundRole()) };
    }
    if (element == u"Adresse")
        return {
            steuerIn<QLabel>(fenster, "Info", "myLabel2")->palette().color(QPalette::WindowText),
            fensterNamens(fenster, QStringLiteral("Info"))->palette().color(QPalette::Window)
        };
    if (element == u"Gitterlinien") {
        // The first cell's pixels and the line right of it, as painted.
        const QImage bild
            = steuerIn<TStringAlignGrid>(fenster, "MatrixDemoForm")->viewport()->grab().toImage();
        return { bild.pixelColor(19, 5), bild.pixelColor(5, 5) };
    }
    // The marking, with white text on it, and against the grid's background.
    const QPalette &p = steuerIn<TStringAlignGrid>(fenster, "VMatrixForm")->palette();
    return { element == u"Markierung" ? Markierungsschrift().aufgeloest(p)
                                      : p.color(QPalette::Base),
        Markierungsfarbe().aufgeloest(p) };
}

} // namespace

class TestZugang : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void jedesSteuerelementBenannt();
    void keineDoppeltenKuerzel();
    void tabReihenfolge_data();
    void tabReihenfolge();
    void kontrastformel();
    void lesbar_data();
    void lesbar();
    void auswahlFolgtFarbschema();
    void initTestCase() { anfang = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(anfang); }

private:
    QPalette anfang;
};

void TestZugang::jedesSteuerelementBenannt()
{
    Aufbau a;
    QStringList ohne;
    jedeAnsicht(a, [&](QWidget *f) { ohne << namenlose(f); });
    ohne.removeDuplicates();
    QVERIFY2(ohne.isEmpty(), qPrintable(ohne.join(u", ")));
}

// An Alt+letter claimed twice only moves the focus between its claimants.
// The main window resolves its two on purpose: the button acts, the menus
// take turns. The method window gives Alt+S to the shown method's own control
// (test_optionfelder checks it).
void TestZugang::keineDoppeltenKuerzel()
{
    Aufbau a;
    QStringList doppelt;
    jedeAnsicht(a, [&](QWidget *f) { doppelt << doppelteKuerzel(f); });
    doppelt.removeDuplicates();
    QCOMPARE(doppelt,
        QStringList({ "Hauptform: &Datei / &Demos", "Hauptform: &Verschlüsseln / &Verschlüsselung",
            "OptionForm: &Substitution / &Spaltenzahl:",
            "OptionForm: &Substitution / &Schlüssel" }));
}

void TestZugang::tabReihenfolge_data()
{
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<QStringList>("folge");
    QTest::newRow("main window") << "Hauptform"
                                 << QStringList { "MKlar", "MChiffre", "BVerschluesseln",
                                        "BEntschluesseln", "BOptionen", "BBeenden" };
    QTest::newRow("method window")
        << "OptionForm"
        << QStringList { "RadioGroupItem0", "RadioGroupItem1", "RadioGroupItem2", "RadioGroupItem3",
               "RadioGroupItem4", "RadioGroupItem5", "RBMatrixQuadratisch", "RBMatrixManSpalten",
               "SpEdSpalten", "ComboBox", "TrackBar", "CBKlein", "CBGross", "CBLeerzeichen",
               "CBUmlauteErsetzen", "CBSonderignorieren", "EdSchluessel", "EdSubstitution",
               "BZufallsalphabet", "CBStayOnTop" };
    QTest::newRow("Caesar") << "CaesarDemoForm"
                            << QStringList { "ComboBox", "TrackBar", "BMehr", "BSchliessen",
                                   "EdText1", "EdText2", "BSchritt", "BRueck", "CBAnimation",
                                   "TBGeschw" };
    QTest::newRow("matrix") << "MatrixDemoForm"
                            << QStringList { "BTextUebernehmen", "MKlartext", "RBQuadratisch",
                                   "RBSpaltenzahl", "SpEdSpaltenzahl", "BAktualisieren",
                                   "BLoeschen", "BSchliessen" };
    QTest::newRow("Vigenère") << "VMatrixForm"
                              << QStringList { "CBEditSperren", "EdSchluessel", "EdText1",
                                     "EdText2", "BSchritt", "CBSonderzeichenIgnorieren",
                                     "CBAnimation", "TrackBar", "BRueck", "BUmlaute",
                                     "BLeerzeichen", "BKlein", "BGross", "CBMitBlinken",
                                     "BSchliessen" };
    QTest::newRow("about") << "Info" << QStringList { "myLabel2", "BOk" };
    QTest::newRow("guide") << "Liesmich" << QStringList { "Mliesmich", "BSchliessen" };
}

void TestZugang::tabReihenfolge()
{
    QFETCH(QString, fenster);
    QFETCH(QStringList, folge);
    Aufbau a;
    QCOMPARE(tabFolge(fensterNamens(alleFenster(a), fenster)), folge);
}

// The guidelines' own figures: black on white 21, the least grey on white 4.54.
void TestZugang::kontrastformel()
{
    QVERIFY(qAbs(farben::Kontrast(Qt::black, Qt::white) - 21.0) < 0.01);
    QVERIFY(qAbs(farben::Kontrast(Qt::white, QColor(0x76, 0x76, 0x76)) - 4.54) < 0.01);
}

void TestZugang::lesbar_data()
{
    QTest::addColumn<bool>("dunkel");
    QTest::addColumn<QString>("element");
    QTest::addColumn<double>("mindestens");
    for (const bool dunkel : { false, true }) {
        const char *art = dunkel ? "dark" : "light";
        for (const char *element : { "Klartext", "Chiffre", "Markierung", "Adresse", "Liesmich" })
            QTest::addRow("%s: %s", art, element) << dunkel << element << farben::kLesbar;
        // The marking is no text on the grid, but has to stand out from it.
        QTest::addRow("%s: Markierung sichtbar", art) << dunkel << "Markierung sichtbar" << 3.0;
        QTest::addRow("%s: Gitterlinien", art) << dunkel << "Gitterlinien" << 1.8;
    }
}

// The windows are open before the palette changes, as when the desktop
// switches its colour scheme; the panes both with and without colours.
void TestZugang::lesbar()
{
    QFETCH(bool, dunkel);
    QFETCH(QString, element);
    QFETCH(double, mindestens);
    Aufbau a;
    const QList<QWidget *> fenster = alleFenster(a);
    QApplication::setPalette(dunkel ? dunklePalette() : QApplication::style()->standardPalette());
    QCoreApplication::processEvents(); // widgets take a new palette from posted events
    for (const bool farbig : { true, false }) {
        QCOMPARE(a.aktion("MMHintergrundfarbig").isChecked(), farbig);
        const Farbpaar paar = farbenVon(element, fenster);
        const double kontrast = farben::Kontrast(paar.schrift, paar.hintergrund);
        QVERIFY2(kontrast >= mindestens,
            qPrintable(QStringLiteral("%1 on %2: %3")
                           .arg(paar.schrift.name(), paar.hintergrund.name())
                           .arg(kontrast)));
        a.klicke("MMHintergrundfarbig");
    }
}

// The demonstrations' fields show their selection in the active colours also
// while the focus is elsewhere, and those follow a new colour scheme.
void TestZugang::auswahlFolgtFarbschema()
{
    Aufbau a;
    const QList<QWidget *> fenster = alleFenster(a);
    QApplication::setPalette(dunklePalette());
    QCoreApplication::processEvents();
    for (const char *art : { "CaesarDemoForm", "VMatrixForm" }) {
        const QPalette &p = steuerIn<QWidget>(fenster, art, "EdText1")->palette();
        QCOMPARE(p.color(QPalette::Inactive, QPalette::Highlight), QColor(42, 130, 218));
        QCOMPARE(p.color(QPalette::Inactive, QPalette::HighlightedText), QColor(Qt::white));
    }
}

QTEST_MAIN(TestZugang)
#include "test_zugang.moc"
