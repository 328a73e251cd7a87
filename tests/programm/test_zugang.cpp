// Screen readers, the keyboard and dark colour schemes: every control that
// Tab reaches has a name to read out, the tab orders hold, and every text
// stays readable under a light and a dark palette, switched at run time.

#include "demos/stringaligngrid.h"
#include "platform/farben.h"
#include "tests/mainwindow/aufbau.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
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

// Which controls each Alt+letter reaches in the window as it shows now:
// captions of buttons and group boxes, labels with a buddy, the menu bar.
QMap<QChar, QStringList> kuerzel(QWidget *fenster)
{
    QMap<QChar, QStringList> tasten;
    const auto nimm = [&](const QString &text, const QString &wer) {
        const QKeySequence taste = QKeySequence::mnemonic(text);
        if (!taste.isEmpty())
            tasten[QChar(taste[0].key())] << wer;
    };
    for (QWidget *w : fenster->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(fenster))
            continue;
        if (auto *knopf = qobject_cast<QAbstractButton *>(w))
            nimm(knopf->text(), w->objectName());
        else if (auto *box = qobject_cast<QGroupBox *>(w))
            nimm(box->title(), w->objectName());
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            nimm(label->text(), w->objectName());
        else if (auto *leiste = qobject_cast<QMenuBar *>(w)) {
            for (QAction *menue : leiste->actions())
                nimm(menue->text(), menue->text());
        }
    }
    return tasten;
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

struct Farbpaar
{
    QColor schrift;
    QColor hintergrund;
};

// What a reader sees of one element: its text colour on its background.
Farbpaar farbenVon(const QString &element, const QList<QWidget *> &fenster)
{
    const auto pane = [&](const char *name) {
        auto *p = fensterNamens(fenster, QStringLiteral("Hauptform"))
                      ->findChild<QPlainTextEdit *>(QLatin1String(name));
        return Farbpaar { p->palette().color(QPalette::Text), p->palette().color(QPalette::Base) };
    };
    if (element == u"Klartext")
        return pane("MKlar");
    if (element == u"Chiffre")
        return pane("MChiffre");
    if (element.startsWith(u"Markierung")) {
        const QPalette &p = fensterNamens(fenster, QStringLiteral("VMatrixForm"))
                                ->findChild<TStringAlignGrid *>()
                                ->palette();
        const QColor markierung = Markierungsfarbe().aufgeloest(p);
        return { element == u"Markierung sichtbar"
                ? Farbe::vomSystem(Farbe::System::Fenster).aufgeloest(p)
                : Markierungsschrift().aufgeloest(p),
            markierung };
    }
    if (element == u"Gitterlinien") {
        // The first cell's pixels and the line right of it, as painted.
        const QImage bild = fensterNamens(fenster, QStringLiteral("MatrixDemoForm"))
                                ->findChild<TStringAlignGrid *>()
                                ->viewport()
                                ->grab()
                                .toImage();
        return { bild.pixelColor(19, 5), bild.pixelColor(5, 5) };
    }
    if (element == u"Adresse") {
        auto *info = fensterNamens(fenster, QStringLiteral("Info"));
        auto *adresse = info->findChild<QLabel *>(QStringLiteral("myLabel2"));
        return { adresse->palette().color(QPalette::WindowText),
            info->palette().color(QPalette::Window) };
    }
    auto *lies = fensterNamens(fenster, QStringLiteral("Liesmich"))
                     ->findChild<QPlainTextEdit *>(QStringLiteral("Mliesmich"));
    return { lies->palette().color(QPalette::Text),
        lies->viewport()->palette().color(lies->viewport()->backgroundRole()) };
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
    void kontrastformel_data();
    void kontrastformel();
    void lesbar_data();
    void lesbar();
    void initTestCase() { anfang = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(anfang); }

private:
    QPalette anfang;
};

// Also with each method's controls shown in the method window.
void TestZugang::jedesSteuerelementBenannt()
{
    Aufbau a;
    const QList<QWidget *> fenster = alleFenster(a);
    QVERIFY(fenster.size() > 2);
    QStringList ohne;
    for (QWidget *f : fenster)
        ohne << namenlose(f);
    for (int methode = 0; methode < 5; ++methode) {
        a.steuer<QRadioButton>(qPrintable(QStringLiteral("RadioGroupItem%1").arg(methode)))
            .setChecked(true);
        ohne << namenlose(&a.option());
    }
    ohne.removeDuplicates();
    QVERIFY2(ohne.isEmpty(), qPrintable(ohne.join(u", ")));
}

// An Alt+letter claimed twice only moves the focus between its claimants.
// The main window's two clashes are resolved on purpose (the button acts,
// the menus take turns); the method window shows one method's controls at a
// time.
void TestZugang::keineDoppeltenKuerzel()
{
    Aufbau a;
    QStringList doppelt;
    const auto pruefe = [&](QWidget *f) {
        const QMap<QChar, QStringList> tasten = kuerzel(f);
        for (auto it = tasten.cbegin(); it != tasten.cend(); ++it) {
            const bool gewollt = f == &a.haupt() && (it.key() == u'V' || it.key() == u'D');
            if (it.value().size() > 1 && !gewollt)
                doppelt << QStringLiteral("%1/%2: %3")
                               .arg(f->objectName(), it.key(), it.value().join(u", "));
        }
        return tasten.size();
    };
    for (QWidget *f : alleFenster(a))
        QVERIFY2(pruefe(f) > 0, qPrintable(f->objectName()));
    for (int methode = 0; methode < 5; ++methode) {
        a.steuer<QRadioButton>(qPrintable(QStringLiteral("RadioGroupItem%1").arg(methode)))
            .setChecked(true);
        pruefe(&a.option());
    }
    QVERIFY2(doppelt.isEmpty(), qPrintable(doppelt.join(u"; ")));
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
               "RadioGroupItem4", "RBMatrixQuadratisch", "RBMatrixManSpalten", "SpEdSpalten",
               "ComboBox", "TrackBar", "CBKlein", "CBGross", "CBLeerzeichen", "CBUmlauteErsetzen",
               "CBSonderignorieren", "EdSchluessel", "CBStayOnTop" };
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

void TestZugang::kontrastformel_data()
{
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("kontrast");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("same") << QColor(90, 20, 200) << QColor(90, 20, 200) << 1.0;
    // The guidelines' own example of the least grey on white: 4.54.
    QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
}

void TestZugang::kontrastformel()
{
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, kontrast);
    QVERIFY(qAbs(farben::Kontrast(a, b) - kontrast) < 0.01);
    QVERIFY(qAbs(farben::Kontrast(b, a) - kontrast) < 0.01);
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

QTEST_MAIN(TestZugang)
#include "test_zugang.moc"
