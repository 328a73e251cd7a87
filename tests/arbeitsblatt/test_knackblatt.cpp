// SPDX-License-Identifier: GPL-3.0-or-later
// The cracking worksheets: each variant's ciphertext decrypts with the key
// of its answer, and the answers fill in the tables pupils get empty; the
// window offers only the chosen task's options and refuses keys that leave
// the text as it is.

#include "analyse/analyse.h"
#include "arbeitsblatt/arbeitsblatt.h"
#include "blattleser.h"
#include "platform/codepage.h"
#include "testhilfen/aufbau.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextDocument>
#include <set>

using namespace Qt::StringLiterals;
using namespace blattleser;

class TestKnackblatt : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void knacken_data();
    void knacken();
    void knackfenster();
};

void TestKnackblatt::knacken_data()
{
    QTest::addColumn<int>("aufgabe");
    QTest::addColumn<int>("varianten");
    QTest::addColumn<QString>("schluessel"); // Vigenère or substitution
    QTest::addColumn<int>("spalten");
    QTest::addColumn<bool>("verraten");
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<int>("tabellen"); // count tables on a Vigenère sheet
    const int vigenere = int(Aufgabe::VigenereKnacken);
    const int substitution = int(Aufgabe::SubstitutionKnacken);
    QTest::newRow("Vigenère SCHULE, blanks take key letters, length open")
        << vigenere << 2 << u"SCHULE"_s << 5 << false << false << 6;
    QTest::newRow("Vigenère KIEL, letters only, length told")
        << vigenere << 3 << u"KIEL"_s << 5 << true << true << 4;
    QTest::newRow("Vigenère of 8 letters, length open")
        << vigenere << 1 << u"GEHEIMNIS"_s.left(8) << 5 << false << true << 6;
    QTest::newRow("matrix, 7 columns")
        << int(Aufgabe::MatrixKnacken) << 3 << QString() << 7 << false << false << 0;
    QTest::newRow("substitution, key word")
        << substitution << 2 << u"ZIFFERON"_s << 5 << false << false << 0;
    QTest::newRow("substitution, whole alphabet")
        << substitution << 3 << u"QWERTZUIOPASDFGHJKLYXCVBNM"_s << 5 << false << false << 0;
}

// Each variant's ciphertext decrypts with the key of its answer to the
// plaintext, and the answer fills in what the sheet leaves empty: the
// Kasiski table with the groups the engine finds and each column's count,
// the right grid, the assignment of cipher to plain letters.
void TestKnackblatt::knacken()
{
    QFETCH(int, aufgabe);
    QFETCH(int, varianten);
    QFETCH(QString, schluessel);
    QFETCH(int, spalten);
    QFETCH(bool, verraten);
    QFETCH(bool, ignorieren);
    QFETCH(int, tabellen);
    Blattwahl w;
    w.aufgabe = Aufgabe(aufgabe);
    w.varianten = varianten;
    w.schluessel = w.substitution = schluessel.toStdString();
    w.spalten = spalten;
    w.laengeVerraten = verraten;
    w.sonderzeichenIgnorieren = ignorieren;
    const auto blatt = BaueArbeitsblatt(w,
        "Die Katze und der Hund spielen im Garten. Die Katze und der Hund schlafen im Haus. "
        "Morgen spielen die Katze und der Hund wieder im Garten hinter dem Haus.");
    const QString klar
        = absatzNach(*blatt, varianten > 1 ? u"Klartext aller Varianten"_s : u"Klartext"_s);
    const Gelesen g = lies(*blatt);
    const QList<Figuren> f = figuren(*blatt);
    QCOMPARE(g.schluessel.size(), varianten);
    QCOMPARE(f.size(), varianten);
    QCOMPARE(int(std::set<QString>(g.schluessel.begin(), g.schluessel.end()).size()), varianten);
    const auto summe = [](const QStringList &t, qsizetype ab) {
        quint64 s = 0;
        for (qsizetype i = ab; i < t.size(); ++i)
            s += t[i].toULongLong();
        return s;
    };
    for (int i = 0; i < varianten; ++i) {
        const verschl::Text geheim
            = codepage::AusPanetext(g.geheim[i].join(QString()).replace(u'\u2423', u' '));
        const QString entschluesselt
            = codepage::AlsPanetext(entschluessle(geheim, g.schluessel[i]));
        QCOMPARE(entschluesselt.trimmed(), klar);
        QVERIFY(codepage::AlsPanetext(geheim).trimmed() != klar);
        const QList<QStringList> &blattTabellen = f[i].tabellen[0];
        const QList<QStringList> &antwort = f[i].tabellen[1];
        const auto mitKopf = [](const QList<QStringList> &alle, const QString &kopf) {
            QList<QStringList> gefunden;
            for (const QStringList &t : alle)
                if (t.first().startsWith(kopf))
                    gefunden << t;
            return gefunden;
        };
        const quint64 buchstaben = analyse::Zaehle(geheim).summe;
        switch (w.aufgabe) {
        case Aufgabe::VigenereKnacken: {
            QStringList erwartet, gelesen;
            for (const analyse::Wiederholung &r : analyse::Wiederholungen(geheim, ignorieren))
                for (std::size_t k = 1; k < r.vorkommen.size(); ++k)
                    erwartet << u"%1 %2, %3"_s.arg(QString::fromStdString(r.gruppe))
                                    .arg(r.vorkommen[k - 1].stelle + 1)
                                    .arg(r.vorkommen[k].stelle + 1);
            for (const QStringList &t : mitKopf(antwort, u"Gruppe"_s))
                for (qsizetype z = 22; z < t.size(); z += 22)
                    gelesen << t[z] + u' ' + t[z + 1];
            QVERIFY(!erwartet.isEmpty());
            QCOMPARE(gelesen, erwartet.mid(0, 30));
            QCOMPARE(mitKopf(blattTabellen, u"Gruppe"_s).size(), 1);
            QCOMPARE(mitKopf(blattTabellen, u"Spalte"_s).size(), tabellen);
            const QList<QStringList> zaehlung = mitKopf(antwort, u"Spalte"_s);
            QCOMPARE(zaehlung.size(), schluessel.size());
            quint64 gezaehlt = 0;
            for (const QStringList &t : zaehlung)
                gezaehlt += summe(t, 28);
            QCOMPARE(gezaehlt, buchstaben);
            break;
        }
        case Aufgabe::MatrixKnacken: {
            const int n = g.schluessel[i].section(u' ', 1).toInt();
            const QString angebot = f[i].absaetze[0].filter(u"richtige: "_s).value(0);
            QVERIFY2(
                angebot.section(u": "_s, 1).chopped(1).split(u", "_s).contains(QString::number(n)),
                qPrintable(angebot));
            QCOMPARE(f[i].gitter.join(QString()).replace(u'\u2423', u' '), entschluesselt);
            break;
        }
        default: {
            const verschl::Text alphabet = g.schluessel[i].section(u' ', 1).toStdString();
            const QStringList zuordnung = mitKopf(antwort, u"Geheim"_s).value(0);
            QCOMPARE(zuordnung.size(), 54);
            for (int b = 1; b <= 26; ++b)
                QCOMPARE(
                    *verschl::SubstitutionVerschluesseln(zuordnung[27 + b].toStdString(), alphabet),
                    zuordnung[b].toStdString());
            QCOMPARE(summe(mitKopf(antwort, u"Buchstabe"_s).value(0), 28), buchstaben);
            QCOMPARE(mitKopf(blattTabellen, u"Geheim"_s).size(), 1);
            QCOMPARE(f[i].absaetze[1].contains(u"Schlüsselwort: "_s + schluessel),
                i == 0 && schluessel.size() < 26);
        }
        }
    }
}

// The window takes the method window's substitution key, offers only the
// options the chosen task uses, and says why a key makes no sheet.
void TestKnackblatt::knackfenster()
{
    Aufbau a;
    a.steuer<QRadioButton>("RadioGroupItem5").setChecked(true);
    a.steuer<QLineEdit>("EdSubstitution").setText(u"ZIFFERON"_s);
    auto &fenster = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    auto &aufgabe = *fenster.findChild<QComboBox *>(u"CBAufgabe"_s);
    auto &alphabet = *fenster.findChild<QLineEdit *>(u"EdAlphabet"_s);
    auto &status = *fenster.findChild<QLabel *>(u"LStatus"_s);
    QCOMPARE(aufgabe.currentText(), u"Substitution knacken"_s);
    QCOMPARE(alphabet.text(), u"ZIFFERON"_s);
    QVERIFY(alphabet.isEnabled());
    QVERIFY(!fenster.findChild<QLineEdit *>(u"EdSchluessel"_s)->isEnabled());
    klicke(fenster, u"BZufallsalphabet"_s);
    QString sortiert = alphabet.text();
    std::sort(sortiert.begin(), sortiert.end());
    QCOMPARE(sortiert, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s);
    alphabet.clear();
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), u"Es fehlt ein Schlüsselwort oder Geheimalphabet."_s);
    // Nor is a text that a key leaves as it is offered for cracking.
    const QString unverschluesselt
        = u"Mit diesem Schlüssel bliebe der Text, wie er ist. Wählen Sie einen anderen."_s;
    alphabet.setText(u"abc"_s);
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), unverschluesselt);
    aufgabe.setCurrentText(u"Matrix knacken"_s);
    fenster.findChild<QSpinBox *>(u"SpSpalten"_s)->setValue(1);
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), unverschluesselt);

    aufgabe.setCurrentText(u"Vigenère knacken"_s);
    auto &schluessel = *fenster.findChild<QLineEdit *>(u"EdSchluessel"_s);
    schluessel.setText(u"ABCDEFGHIJKLMNOPQRSTU"_s);
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), u"Zum Knacken darf der Schlüssel höchstens 20 Buchstaben haben."_s);
    schluessel.setText(u"aaa"_s);
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), unverschluesselt);
    QVERIFY(fenster.findChild<QCheckBox *>(u"CBLaengeVerraten"_s)->isEnabled());
    QVERIFY(!alphabet.isEnabled());

    // A ciphertext without a repeated group leaves the Kasiski table empty.
    schluessel.setText(u"KIEL"_s);
    for (const auto &[text, leer] :
        { std::pair { "Wir treffen uns", true }, { "abcdabcdabcdabcdabcdabcd", false } }) {
        a.klar().setText(text);
        klicke(fenster, u"BAktualisieren"_s);
        QCOMPARE(status.text().contains(u"wiederholt sich keine Gruppe"_s), leer);
    }
}

QTEST_MAIN(TestKnackblatt)
#include "test_knackblatt.moc"
