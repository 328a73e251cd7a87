// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dateiname.h"
#include "platform/textdatei.h"
#include "testhilfen/aufbau.h"

#include <fcntl.h>
#include <memory>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <sys/stat.h>
#include <unistd.h>

using verschl::Text;

namespace {

// German two-line text in Windows-1252, with trailing letters, umlauts and ß.
const Text kZweiZeilen = "Gr\xFC\xDF"
                         "e aus K\xF6ln, \xC4rger \xFC"
                         "ber Stra\xDF"
                         "en!\r\n"
                         "Zwei Zeilen: 1234 & mehr.";

} // namespace

class TestHauptform : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startPlatzierung();
    void kommandozeileMitDatei_data();
    void kommandozeileMitDatei();
    void kommandozeileOhneDatei_data();
    void kommandozeileOhneDatei();
    void unlesbareDateiWarnt_data();
    void unlesbareDateiWarnt();
    void kommandozeileMitSeltenemNamen_data();
    void kommandozeileMitSeltenemNamen();
    void dateiNamensSchalterIstDatei();
    void nurMethodenfenster();
    void methodenfensterZuerst();
    void rundreiseJederMethode_data();
    void rundreiseJederMethode();
    void substitution_data();
    void substitution();
    void leererKlartextLeertChiffre_data();
    void leererKlartextLeertChiffre();
    void ohneSchluessel_data();
    void ohneSchluessel();
    void vorbereitungenInIhrerReihenfolge_data();
    void vorbereitungenInIhrerReihenfolge();
    void zweitesVerschluesselnAendertNichts();
    void caesarMerktVerschiebung();
    void aenderungsregel_data();
    void aenderungsregel();
    void methodenfensterUmschalten();
    void methodenfensterAmRechtenRand();
    void schliessenDesMethodenfensters();
    void altVKlicktVerschluesseln();
};

void TestHauptform::startPlatzierung()
{
    Aufbau a;
    QVERIFY(a.haupt().isVisible());
    QVERIFY(!a.option().isVisible());
    // A window manager frames the window only after it was shown.
    QTRY_VERIFY(a.haupt().frameGeometry().height() > a.haupt().height());
    // Left edge at 5, vertically centred, frame included, and still as wide
    // as designed once the frame has come.
    const QRect bildschirm = a.haupt().screen()->geometry();
    const auto ziel = [&] {
        return QPoint(bildschirm.left() + 5,
            bildschirm.top() + (bildschirm.height() - a.haupt().frameGeometry().height()) / 2);
    };
    QTRY_COMPARE(a.haupt().frameGeometry().topLeft(), ziel());
    QCOMPARE(a.haupt().width(), 550);
}

void TestHauptform::kommandozeileMitDatei_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QByteArray>("erwartet");
    QTest::addColumn<bool>("geaendert");
    QTest::newRow("CR LF kept") << QByteArray("a\r\nb") << QByteArray("a\r\nb") << true;
    QTest::newRow("LF only becomes CR LF")
        << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n") << true;
    QTest::newRow("CR only becomes CR LF") << QByteArray("a\rb") << QByteArray("a\r\nb") << true;
    QTest::newRow("mixed ends kept")
        << QByteArray("a\r\nb\nc\r") << QByteArray("a\r\nb\nc\r") << true;
    QTest::newRow("empty file") << QByteArray() << QByteArray() << false;
    QByteArray alle;
    for (int b = 0; b < 256; ++b)
        alle += char(b);
    QTest::newRow("all 256 bytes") << alle << alle << true;
}

void TestHauptform::kommandozeileMitDatei()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QByteArray, erwartet);
    QFETCH(bool, geaendert);
    QTemporaryDir ordner;
    Aufbau a({ schreibeDatei(ordner, QStringLiteral("text.txt"), inhalt),
        QStringLiteral("-onlyoption") });
    QCOMPARE(a.klar().text(), erwartet.toStdString());
    QCOMPARE(a.chiffre().text(), erwartet.toStdString());
    QCOMPARE(a.haupt().geaendert(THauptform::Bereich::Klartext), geaendert);
    QCOMPARE(a.haupt().geaendert(THauptform::Bereich::Chiffre), geaendert);
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Klartext), QStringLiteral("unbenannt.txt"));
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Chiffre), QStringLiteral("unbenannt.txt"));
    QVERIFY(!a.haupt().NurMethodenfenster()); // only the first argument counts
    QVERIFY(a.dialoge.warnungen.isEmpty());
}

void TestHauptform::kommandozeileOhneDatei_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<bool>("nurMethode");
    QTest::addColumn<bool>("methodeZuerst");
    QTest::newRow("none") << QStringList() << false << false;
    QTest::newRow("-onlyoption") << QStringList { "-onlyoption" } << true << false;
    QTest::newRow("-firstoption") << QStringList { "-firstoption" } << false << true;
    QTest::newRow("other case starts normally") << QStringList { "-OnlyOption" } << false << false;
    QTest::newRow("only the first counts")
        << QStringList { "-firstoption", "-onlyoption" } << false << true;
    QTest::newRow("missing file is ignored")
        << QStringList { "/keine/solche/datei.txt" } << false << false;
    QTest::newRow("a folder is ignored") << QStringList { QDir::tempPath() } << false << false;
}

void TestHauptform::kommandozeileOhneDatei()
{
    QFETCH(QStringList, argumente);
    QFETCH(bool, nurMethode);
    QFETCH(bool, methodeZuerst);
    Aufbau a(argumente);
    QCOMPARE(a.option().isVisible(), nurMethode || methodeZuerst);
    QCOMPARE(a.haupt().isVisible(), !nurMethode);
    QCOMPARE(a.haupt().NurMethodenfenster(), nurMethode);
    QCOMPARE(a.haupt().methodenfensterOffen(), methodeZuerst);
    QVERIFY(!a.haupt().methodenfensterZuerst()); // cleared once shown
    QCOMPARE(a.klar().text(), Text());
    QVERIFY(a.dialoge.warnungen.isEmpty());
}

// A file that cannot be read warns, and the program starts normally all the
// same; a FIFO or a device is no text file and must not block the start.
void TestHauptform::unlesbareDateiWarnt_data()
{
    QTest::addColumn<QString>("art");
    QTest::newRow("too large to hold") << QStringLiteral("riesig");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
    QTest::newRow("device") << QStringLiteral("geraet");
}

void TestHauptform::unlesbareDateiWarnt()
{
    QFETCH(QString, art);
    QTemporaryDir ordner;
    QString pfad = ordner.filePath(art);
    if (art == u"riesig") {
        QFile datei(schreibeDatei(ordner, art, "x"));
        QVERIFY(datei.resize(textdatei::Hoechstgroesse + 1));
    } else if (art == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(pfad).constData(), 0600), 0);
    } else {
        pfad = QStringLiteral("/dev/zero");
    }
    Aufbau a({ pfad });
    QCOMPARE(a.dialoge.warnungen,
        QStringList { art == u"riesig" ? QStringLiteral("Die Datei ") + pfad
                    + QStringLiteral(" ist zu groß (über 64 MiB).")
                                       : QStringLiteral("Fehler beim Lesen der Datei ") + pfad });
    QVERIFY(a.haupt().isVisible());
    QCOMPARE(a.klar().text(), Text());
    QVERIFY(!a.haupt().geaendert(THauptform::Bereich::Klartext));
}

// Names that are not UTF-8 and paths as long as the system allows still load.
void TestHauptform::kommandozeileMitSeltenemNamen_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("Latin-1 name, not UTF-8") << QByteArray("caf\xE9 \xFF.txt");
    QByteArray tief;
    for (int i = 0; i < 14; ++i)
        tief += QByteArray(250, 'o') + '/';
    QTest::newRow("path of about 3600 bytes") << tief + "datei.txt";
}

void TestHauptform::kommandozeileMitSeltenemNamen()
{
    QFETCH(QByteArray, name);
    QTemporaryDir ordner;
    const QByteArray pfad = QFile::encodeName(ordner.path()) + '/' + name;
    QVERIFY(QDir().mkpath(QFile::decodeName(pfad.left(pfad.lastIndexOf('/')))));
    const int fd = ::open(pfad.constData(), O_WRONLY | O_CREAT, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "Inhalt", 6), ssize_t(6));
    ::close(fd);
    Aufbau a({ dateiname::AusSystem(pfad) });
    ::unlink(pfad.constData()); // Qt's folder removal cannot see such a name
    QVERIFY(a.dialoge.warnungen.isEmpty());
    QCOMPARE(a.klar().text(), Text("Inhalt"));
    QCOMPARE(a.chiffre().text(), Text("Inhalt"));
}

void TestHauptform::dateiNamensSchalterIstDatei()
{
    QTemporaryDir ordner;
    schreibeDatei(ordner, QStringLiteral("-onlyoption"), "Inhalt");
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(ordner.path());
    Aufbau a({ QStringLiteral("-onlyoption") });
    QDir::setCurrent(vorher);
    QVERIFY(!a.haupt().NurMethodenfenster());
    QCOMPARE(a.klar().text(), Text("Inhalt"));
}

void TestHauptform::nurMethodenfenster()
{
    Aufbau a({ QStringLiteral("-onlyoption") });
    const QRect bildschirm = a.option().screen()->geometry();
    QVERIFY(a.haupt().x() >= bildschirm.width() + 100);
    QVERIFY(!a.haupt().isVisible());
    bool geschlossen = false;
    struct Beobachter : QObject
    {
        bool &flag;
        explicit Beobachter(bool &f)
            : flag(f)
        { }
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Close)
                flag = true;
            return false;
        }
    } beobachter(geschlossen);
    a.haupt().installEventFilter(&beobachter);
    a.option().close();
    QVERIFY(geschlossen);
    QVERIFY(!a.haupt().NurMethodenfenster());
}

void TestHauptform::methodenfensterZuerst()
{
    Aufbau a({ QStringLiteral("-firstoption") });
    QVERIFY(a.option().isVisible());
    QCOMPARE(a.steuer<QPushButton>("BOptionen").text(), QStringLiteral("<< &Methode"));
    QVERIFY(a.haupt().findChild<QAction *>(QStringLiteral("Optionsfester"))->isChecked());
    // Showing the main window again does not open it a second time.
    a.haupt().hide();
    a.option().close();
    a.haupt().show();
    QVERIFY(!a.option().isVisible());
}

void TestHauptform::rundreiseJederMethode_data()
{
    QTest::addColumn<Methode>("methode");
    QTest::addColumn<bool>("manuell");
    QTest::addColumn<bool>("ignorieren");
    QTest::newRow("matrix, square") << Methode::Matrix << false << false;
    QTest::newRow("matrix, 7 columns") << Methode::Matrix << true << false;
    QTest::newRow("Caesar") << Methode::Caesar << false << false;
    QTest::newRow("rotation 13") << Methode::Rotation13 << false << false;
    QTest::newRow("rotation 128") << Methode::Rotation128 << false << false;
    QTest::newRow("Vigenère") << Methode::Vigenere << false << false;
    QTest::newRow("Vigenère, ignoring non-letters") << Methode::Vigenere << false << true;
}

void TestHauptform::rundreiseJederMethode()
{
    QFETCH(Methode, methode);
    QFETCH(bool, manuell);
    QFETCH(bool, ignorieren);
    Aufbau a;
    a.option().setMethode(methode);
    if (manuell) {
        a.steuer<QRadioButton>("RBMatrixManSpalten").setChecked(true);
        a.steuer<QSpinBox>("SpEdSpalten").setValue(7);
    }
    a.steuer<QCheckBox>("CBSonderignorieren").setChecked(ignorieren);
    a.klar().setText(kZweiZeilen + "  ");
    a.klick("BVerschluesseln");
    const Text chiffre = a.chiffre().text();
    QVERIFY(chiffre != kZweiZeilen);
    a.klar().setText({});
    a.klick("BEntschluesseln");
    // Matrix decryption drops trailing blanks; the other methods give back all.
    QCOMPARE(a.klar().text(), methode == Methode::Matrix ? kZweiZeilen : kZweiZeilen + "  ");
    QCOMPARE(a.chiffre().text(), chiffre);
    if (methode == Methode::Rotation128)
        QVERIFY(chiffre.find("\r\n") == Text::npos);
}

void TestHauptform::substitution_data()
{
    QTest::addColumn<QByteArray>("schluessel");
    QTest::addColumn<QByteArray>("chiffre");
    QTest::newRow("key word") << QByteArray("ZIFFERON") << QByteArray("Np\xFC\xDFr ztq D\xF6gj");
    QTest::newRow("whole alphabet")
        << QByteArray("QWERTZUIOPASDFGHJKLYXCVBNM") << QByteArray("Uk\xFC\xDFt qxl A\xF6sf");
}

// Umlauts pass; each command is one step that undo takes back.
void TestHauptform::substitution()
{
    QFETCH(QByteArray, schluessel);
    QFETCH(QByteArray, chiffre);
    const Text klartext = "Gr\xFC\xDF"
                          "e aus K\xF6ln";
    Aufbau a;
    a.option().setMethode(Methode::Substitution);
    a.option().setSubstitutionsschluessel(schluessel.toStdString());
    a.klar().setText(klartext);
    a.chiffre().setText("alt");
    a.klick("BVerschluesseln");
    QCOMPARE(a.chiffre().text(), chiffre.toStdString());
    a.klar().setText("weg");
    a.klick("BEntschluesseln");
    QCOMPARE(a.klar().text(), klartext);
    a.klar().undo();
    QCOMPARE(a.klar().text(), Text("weg"));
    a.chiffre().undo();
    QCOMPARE(a.chiffre().text(), Text("alt"));
}

void TestHauptform::leererKlartextLeertChiffre_data()
{
    QTest::addColumn<Methode>("methode");
    for (int m = 0; m <= int(Methode::Substitution); ++m)
        QTest::addRow("method %d", m) << Methode(m);
}

void TestHauptform::leererKlartextLeertChiffre()
{
    QFETCH(Methode, methode);
    Aufbau a;
    a.option().setMethode(methode);
    a.chiffre().setText("alt");
    a.haupt().setzeDatei(THauptform::Bereich::Chiffre, QStringLiteral("alt.txt"), true);
    a.klick("BVerschluesseln");
    QCOMPARE(a.chiffre().text(), Text());
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Chiffre), QStringLiteral("unbenannt.txt"));
}

void TestHauptform::ohneSchluessel_data()
{
    QTest::addColumn<Methode>("methode");
    QTest::addColumn<QByteArray>("feld");
    QTest::newRow("Vigenère") << Methode::Vigenere << QByteArray("EdSchluessel");
    QTest::newRow("substitution") << Methode::Substitution << QByteArray("EdSubstitution");
}

// A key field holding no letter (before it is left) encrypts nothing.
void TestHauptform::ohneSchluessel()
{
    QFETCH(Methode, methode);
    QFETCH(QByteArray, feld);
    Aufbau a;
    a.option().setMethode(methode);
    a.steuer<QLineEdit>(feld.constData()).setText(QStringLiteral("12 ä"));
    a.steuer<QCheckBox>("CBGross").setChecked(true);
    a.klar().setText("abc");
    a.chiffre().setText("bleibt");
    a.klick("BVerschluesseln");
    QCOMPARE(a.klar().text(), Text("ABC")); // the preparation still ran
    QCOMPARE(a.chiffre().text(), Text("bleibt"));
    a.klick("BEntschluesseln");
    QCOMPARE(a.klar().text(), Text("ABC"));
}

void TestHauptform::vorbereitungenInIhrerReihenfolge_data()
{
    QTest::addColumn<QStringList>("schalter");
    QTest::addColumn<Text>("vorher");
    QTest::addColumn<Text>("nachher");
    QTest::addColumn<bool>("geaendert");
    QTest::newRow("none") << QStringList() << Text("\xC4pfel") << Text("\xC4pfel") << false;
    QTest::newRow("nothing to do") << QStringList { "CBUmlauteErsetzen", "CBKlein" }
                                   << Text("apfel") << Text("apfel") << false;
    QTest::newRow("umlauts before upper case, then blanks")
        << QStringList { "CBUmlauteErsetzen", "CBGross", "CBLeerzeichen" }
        << Text("\xC4pfel und Birnen\r\nzwei") << Text("AEPFELUNDBIRNEN\r\nZWEI") << true;
    QTest::newRow("lower case, then blanks") << QStringList { "CBKlein", "CBLeerzeichen" }
                                             << Text("Hallo Welt") << Text("hallowelt") << true;
    QTest::newRow("blanks only: the pane is emptied")
        << QStringList { "CBLeerzeichen" } << Text("  ") << Text() << true;
}

// The preparations rewrite the plaintext pane in their fixed order; it counts
// as changed exactly when its text differs afterwards.
void TestHauptform::vorbereitungenInIhrerReihenfolge()
{
    QFETCH(QStringList, schalter);
    QFETCH(Text, vorher);
    QFETCH(Text, nachher);
    QFETCH(bool, geaendert);
    Aufbau a;
    a.option().setMethode(Methode::Caesar);
    for (const QString &name : schalter)
        a.steuer<QCheckBox>(qPrintable(name)).setChecked(true);
    a.klar().setText(vorher);
    a.haupt().setzeDatei(THauptform::Bereich::Klartext, QStringLiteral("brief.txt"), false);
    a.klick("BVerschluesseln");
    QCOMPARE(a.klar().text(), nachher);
    QCOMPARE(a.haupt().geaendert(THauptform::Bereich::Klartext), geaendert);
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Klartext),
        nachher.empty() ? THauptform::Unbenannt : "brief.txt");
    QCOMPARE(a.chiffre().text(), verschl::CaesarVerschieben(nachher, 2));
    QCOMPARE(a.haupt().geaendert(THauptform::Bereich::Chiffre), !nachher.empty());
}

void TestHauptform::zweitesVerschluesselnAendertNichts()
{
    Aufbau a;
    a.steuer<QCheckBox>("CBKlein").setChecked(true);
    a.klar().setText("Hallo Welt");
    a.klick("BVerschluesseln");
    a.haupt().setzeDatei(THauptform::Bereich::Klartext, THauptform::Unbenannt, false);
    a.haupt().setzeDatei(THauptform::Bereich::Chiffre, THauptform::Unbenannt, false);
    a.klick("BVerschluesseln");
    QVERIFY(!a.haupt().geaendert(THauptform::Bereich::Klartext));
    QVERIFY(!a.haupt().geaendert(THauptform::Bereich::Chiffre));
}

void TestHauptform::caesarMerktVerschiebung()
{
    Aufbau a;
    a.steuer<QComboBox>("ComboBox").setCurrentIndex(7); // from code: no handler runs
    a.klar().setText("a");
    a.klick("BVerschluesseln");
    QCOMPARE(a.chiffre().text(), Text("h"));
    QCOMPARE(a.option().GemerkteVerschiebung(), 7);
    a.klick("BEntschluesseln");
    QCOMPARE(a.klar().text(), Text("a"));
}

void TestHauptform::aenderungsregel_data()
{
    QTest::addColumn<bool>("chiffre");
    QTest::newRow("plaintext pane") << false;
    QTest::newRow("ciphertext pane") << true;
}

// Typing marks only the edited pane unsaved; deleting its last character
// also takes its file name.
void TestHauptform::aenderungsregel()
{
    QFETCH(bool, chiffre);
    Aufbau a;
    TextPane &pane = chiffre ? a.chiffre() : a.klar();
    const auto bereich = chiffre ? THauptform::Bereich::Chiffre : THauptform::Bereich::Klartext;
    const auto andere = chiffre ? THauptform::Bereich::Klartext : THauptform::Bereich::Chiffre;
    a.haupt().setzeDatei(THauptform::Bereich::Klartext, QStringLiteral("brief.txt"), false);
    a.haupt().setzeDatei(THauptform::Bereich::Chiffre, QStringLiteral("brief.txt"), false);
    pane.setFocus();
    QTest::keyClicks(&pane, QStringLiteral("ab"));
    QCOMPARE(a.haupt().geaendert(THauptform::Bereich::Klartext), !chiffre);
    QCOMPARE(a.haupt().geaendert(THauptform::Bereich::Chiffre), chiffre);
    QCOMPARE(a.haupt().datei(bereich), QStringLiteral("brief.txt"));
    QTest::keyClick(&pane, Qt::Key_Backspace);
    QTest::keyClick(&pane, Qt::Key_Backspace);
    QCOMPARE(a.haupt().datei(bereich), QStringLiteral("unbenannt.txt"));
    QCOMPARE(a.haupt().datei(andere), QStringLiteral("brief.txt"));
}

void TestHauptform::methodenfensterUmschalten()
{
    Aufbau a;
    auto &knopf = a.steuer<QPushButton>("BOptionen");
    auto *menue = a.haupt().findChild<QAction *>(QStringLiteral("Optionsfester"));
    auto *werkzeug = a.haupt().findChild<QToolButton *>(QStringLiteral("ToolBOptionen"));
    QVERIFY(werkzeug);
    a.klick("BOptionen");
    QVERIFY(a.option().isVisible());
    QCOMPARE(knopf.text(), QStringLiteral("<< &Methode"));
    QVERIFY(menue->isChecked());
    QVERIFY(werkzeug->isChecked());
    QCOMPARE(a.option().frameGeometry().left(),
        a.haupt().frameGeometry().left() + a.haupt().frameGeometry().width());
    a.klicke("Optionsfester");
    QVERIFY(!a.option().isVisible());
    QCOMPARE(knopf.text(), QStringLiteral("&Methode >>"));
    QVERIFY(!menue->isChecked());
    QVERIFY(!werkzeug->isChecked());
    QTest::mouseClick(werkzeug, Qt::LeftButton);
    QVERIFY(a.option().isVisible());
    QVERIFY(menue->isChecked());
}

void TestHauptform::methodenfensterAmRechtenRand()
{
    Aufbau a;
    const QRect bildschirm = a.haupt().screen()->geometry();
    a.haupt().move(bildschirm.right() - a.haupt().frameGeometry().width() + 1, -50);
    a.klick("BOptionen");
    QCOMPARE(a.option().frameGeometry().right(), bildschirm.right());
    QCOMPARE(a.option().frameGeometry().top(), bildschirm.top());
}

void TestHauptform::schliessenDesMethodenfensters()
{
    Aufbau a;
    a.klick("BOptionen");
    a.option().close();
    QVERIFY(!a.option().isVisible());
    QVERIFY(!a.haupt().methodenfensterOffen());
    QCOMPARE(a.steuer<QPushButton>("BOptionen").text(), QStringLiteral("&Methode >>"));
    QVERIFY(!a.haupt().findChild<QAction *>(QStringLiteral("Optionsfester"))->isChecked());
    QVERIFY(a.haupt().isVisible());
}

// "&Verschlüsselung" and "&Verschlüsseln" share Alt+V: the button acts, from
// wherever the focus is in the main window.
void TestHauptform::altVKlicktVerschluesseln()
{
    Aufbau a;
    QVERIFY(QTest::qWaitForWindowActive(&a.haupt()));
    a.klar().setText("abc");
    a.klar().setFocus();
    QTest::keyClick(&a.klar(), Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(a.chiffre().text(), Text("cde"));
    QCOMPARE(a.klar().text(), Text("abc"));
}

QTEST_MAIN(TestHauptform)
#include "test_hauptform.moc"
