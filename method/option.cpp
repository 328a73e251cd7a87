// SPDX-License-Identifier: GPL-3.0-or-later
// The method window's behaviour: which controls each method shows, the rules
// between the controls, start-up and closing.

#include "method/option.h"

#include "bausteine/fensterart.h"
#include "bausteine/spaltenzahlfeld.h"
#include "bausteine/zentriert.h"
#include "platform/codepage.h"
#include "platform/schriften.h"

#include <algorithm>
#include <initializer_list>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSlider>

namespace {

constexpr int kRotation13 = 13;
const QString kStandardSchluessel
    = QStringView(einstellung::eintrag(u"VigenereSchluessel").text).toString();
const QString kStandardSubstitution
    = QStringView(einstellung::eintrag(u"SubstitutionSchluessel").text).toString();
const QString kKlaralphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

// A focus loss that only comes from another window becoming active, or from a
// context menu opening over the field, does not leave the field: the user may
// come back and go on typing.
bool verlaesstFeld(const QFocusEvent &ereignis)
{
    return ereignis.reason() != Qt::ActiveWindowFocusReason
        && ereignis.reason() != Qt::PopupFocusReason;
}

void zeige(QWidget *steuerelement, bool sichtbar, bool aktiv)
{
    steuerelement->setVisible(sichtbar);
    steuerelement->setEnabled(aktiv);
}

} // namespace

// The window is a top-level window of its own (no parent): it has its own
// taskbar entry and is neither minimised nor hidden with the main window.
TOptionForm::TOptionForm(Hauptfenster &haupt, std::function<void()> einstellungenLaden)
    : QWidget(nullptr, kFensterArt | Qt::WindowStaysOnTopHint)
    , haupt(haupt)
    , einstellungenLaden(std::move(einstellungenLaden))
{
    setObjectName(QStringLiteral("OptionForm"));
    setWindowTitle(QStringLiteral("Zifferon: Methode"));
    setFont(schriften::Fensterschrift(11));
    setFixedSize(233, 385);

    erzeugeSteuerelemente();
    ordneAn(Methode::Caesar);
    verbindeHandler();
}

// QWidget deletes the children after this destructor; the focus loss that
// this causes must not reach the handlers of a half-destroyed window.
TOptionForm::~TOptionForm()
{
    SpEdSpalten->disconnect(this);
    EdSchluessel->removeEventFilter(this);
    EdSubstitution->removeEventFilter(this);
}

// Connected after the defaults are in place, so creating the window runs no
// handler.
void TOptionForm::verbindeHandler()
{
    connect(RadioGroupItems, &QButtonGroup::idToggled, this, [this](int, bool gewaehlt) {
        if (gewaehlt)
            RadioGroupClick();
    });
    connect(TrackBar, &QSlider::valueChanged, this, &TOptionForm::TrackBarChange);
    // Only a selection by the user; setting the index from code runs nothing.
    connect(ComboBox, &QComboBox::activated, this, &TOptionForm::ComboBoxChange);
    connect(CBKlein, &QCheckBox::toggled, this, &TOptionForm::CBKleinClick);
    connect(CBGross, &QCheckBox::toggled, this, &TOptionForm::CBGrossClick);
    connect(CBStayOnTop, &QCheckBox::toggled, this, &TOptionForm::CBStayOnTopClick);
    // A radio button's handler runs when it becomes checked, not when it is
    // unchecked by its sibling.
    connect(RBMatrixQuadratisch, &QRadioButton::toggled, this, [this](bool gewaehlt) {
        if (gewaehlt)
            RBMatrixQuadratischClick();
    });
    connect(RBMatrixManSpalten, &QRadioButton::toggled, this, [this](bool gewaehlt) {
        if (gewaehlt)
            RBMatrixManSpaltenClick();
    });
    connect(SpEdSpalten, &Spaltenzahlfeld::verlassen, this, &TOptionForm::SpEdSpaltenExit);
    connect(EdSubstitution, &QLineEdit::textChanged, this, &TOptionForm::zeigeGeheimalphabet);
    connect(BZufallsalphabet, &QPushButton::clicked, this, &TOptionForm::BZufallsalphabetClick);
    verbindeAenderungsmeldung();
}

// Every control that einstellungen() reads for the method and its
// parameters; the preparations are no part of what the main window shows.
void TOptionForm::verbindeAenderungsmeldung()
{
    const auto melde = [this] {
        if (aenderungsmeldung)
            aenderungsmeldung();
    };
    connect(RadioGroupItems, &QButtonGroup::idToggled, this, melde);
    connect(ComboBox, &QComboBox::currentIndexChanged, this, melde);
    connect(RBMatrixManSpalten, &QRadioButton::toggled, this, melde);
    connect(SpEdSpalten, &Spaltenzahlfeld::textGeaendert, this, melde);
    connect(EdSchluessel, &QLineEdit::textChanged, this, melde);
    connect(CBSonderignorieren, &QCheckBox::toggled, this, melde);
    connect(EdSubstitution, &QLineEdit::textChanged, this, melde);
}

void TOptionForm::setAenderungsmeldung(std::function<void()> meldung)
{
    aenderungsmeldung = std::move(meldung);
}

QString TOptionForm::verschiebungsText(int verschiebung)
{
    return QStringLiteral("Verschiebung um %1 Buchstaben").arg(verschiebung);
}

Methodeneinstellungen TOptionForm::einstellungen() const
{
    Methodeneinstellungen e;
    e.methode = methode();
    e.verschiebung = ComboBox->currentIndex();
    e.spalten.manuell = RBMatrixManSpalten->isChecked();
    e.spalten.spalten = SpEdSpalten->getippteSpaltenzahl();
    e.schluessel = schluessel();
    e.sonderzeichenIgnorieren = CBSonderignorieren->isChecked();
    e.substitution = substitutionsschluessel();
    e.umlauteErsetzen = CBUmlauteErsetzen->isChecked();
    e.leerzeichenLoeschen = CBLeerzeichen->isChecked();
    e.kleinschrift = CBKlein->isChecked();
    e.grossschrift = CBGross->isChecked();
    return e;
}

void TOptionForm::setGemerkteVerschiebung(int verschiebung) { gemerkteVerschiebung = verschiebung; }

// Each button's id is its method's number; no button has Keine's.
Methode TOptionForm::methode() const { return Methode(RadioGroupItems->checkedId()); }

void TOptionForm::setMethode(Methode methode)
{
    if (QAbstractButton *knopf = RadioGroupItems->button(int(methode)))
        knopf->setChecked(true);
}

void TOptionForm::setVerschiebung(int verschiebung)
{
    TrackBar->setValue(verschiebung);
    ComboBox->setCurrentIndex(TrackBar->value());
}

int TOptionForm::schieberegler() const { return TrackBar->value(); }

void TOptionForm::setSchieberegler(int position) { TrackBar->setValue(position); }

int TOptionForm::buchstabe() const { return ComboBox->currentIndex(); }

void TOptionForm::setBuchstabe(int index) { ComboBox->setCurrentIndex(index); }

bool TOptionForm::quadratisch() const { return RBMatrixQuadratisch->isChecked(); }

// Checking one of the pair unchecks the other; an unchecked radio button
// cannot be set directly.
void TOptionForm::setQuadratisch(bool quadratisch)
{
    (quadratisch ? RBMatrixQuadratisch : RBMatrixManSpalten)->setChecked(true);
}

verschl::Text TOptionForm::schluessel() const
{
    return codepage::AusZeichenkette(codepage::NurBuchstaben(EdSchluessel->text()));
}

// Taken as it is; the field cleans it only when the user leaves it.
void TOptionForm::setSchluessel(const verschl::Text &schluessel)
{
    EdSchluessel->setText(codepage::AlsZeichenkette(schluessel));
}

verschl::Text TOptionForm::substitutionsschluessel() const
{
    return verschl::InGrossschrift(
        codepage::AusZeichenkette(codepage::NurBuchstaben(EdSubstitution->text())));
}

void TOptionForm::setSubstitutionsschluessel(const verschl::Text &schluessel)
{
    EdSubstitution->setText(codepage::AlsZeichenkette(schluessel));
}

verschl::Text TOptionForm::schluesselfeld() const
{
    return codepage::AusZeichenkette(EdSchluessel->text());
}

bool TOptionForm::sonderzeichenIgnorieren() const { return CBSonderignorieren->isChecked(); }

void TOptionForm::setSonderzeichenIgnorieren(bool ignorieren)
{
    CBSonderignorieren->setChecked(ignorieren);
}

// The method first: selecting Caesar puts the remembered shift into the
// slider, which the found one then replaces.
void TOptionForm::uebernimmCaesar(int verschiebung)
{
    setMethode(Methode::Caesar);
    setVerschiebung(verschiebung);
}

void TOptionForm::uebernimmVigenere(const verschl::Text &schluessel, bool sonderzeichenIgnorieren)
{
    setMethode(Methode::Vigenere);
    setSchluessel(schluessel);
    setSonderzeichenIgnorieren(sonderzeichenIgnorieren);
}

void TOptionForm::uebernimmMatrix(int spalten, bool quadratisch)
{
    setMethode(Methode::Matrix);
    setSpaltenzahl(spalten);
    setQuadratisch(quadratisch);
}

void TOptionForm::uebernimmSubstitution(const verschl::Text &alphabet)
{
    setMethode(Methode::Substitution);
    setSubstitutionsschluessel(verschl::ErgaenzeAlphabet(alphabet));
}

int TOptionForm::spaltenzahl() const { return SpEdSpalten->spaltenzahl(); }

void TOptionForm::setSpaltenzahl(int spalten) { SpEdSpalten->setValue(spalten); }

bool TOptionForm::schalter(const char *kaestchen) const
{
    return findChild<QCheckBox *>(QLatin1String(kaestchen))->isChecked();
}

void TOptionForm::setSchalter(const char *kaestchen, bool an)
{
    findChild<QCheckBox *>(QLatin1String(kaestchen))->setChecked(an);
}

void TOptionForm::ordneAn(Methode methode)
{
    const bool matrix = methode == Methode::Matrix;
    const bool verschiebung = methode == Methode::Caesar || methode == Methode::Rotation13;
    const bool vigenere = methode == Methode::Vigenere;
    const bool substitution = methode == Methode::Substitution;

    Label1->setVisible(verschiebung);
    LVerschAusgabe->setVisible(verschiebung);
    for (QWidget *regler : std::initializer_list<QWidget *> { ComboBox, TrackBar })
        zeige(regler, verschiebung, methode == Methode::Caesar);
    for (QWidget *form :
        std::initializer_list<QWidget *> { RBMatrixQuadratisch, RBMatrixManSpalten })
        zeige(form, matrix, matrix);
    zeige(SpEdSpalten, matrix, matrix && RBMatrixManSpalten->isChecked());
    LSchluessel->setVisible(vigenere);
    for (QWidget *feld : std::initializer_list<QWidget *> { EdSchluessel, CBSonderignorieren })
        zeige(feld, vigenere, vigenere);
    for (QWidget *feld : std::initializer_list<QWidget *> {
             LSubstitution, LGeheimalphabet, EdSubstitution, BZufallsalphabet })
        zeige(feld, substitution, substitution);
    // Alt+S belongs to the matrix's column count and the Vigenère key while
    // they show; else it selects the substitution.
    QAbstractButton *substitutionKnopf = RadioGroupItems->button(int(Methode::Substitution));
    substitutionKnopf->setShortcut(
        matrix || vigenere ? QKeySequence() : QKeySequence::mnemonic(substitutionKnopf->text()));
}

void TOptionForm::RadioGroupClick()
{
    const Methode methode = this->methode();
    if (methode == Methode::Keine)
        return;
    ordneAn(methode);
    if (methode == Methode::Caesar) {
        TrackBar->setValue(gemerkteVerschiebung);
        ComboBox->setCurrentIndex(gemerkteVerschiebung);
    } else if (methode == Methode::Rotation13) {
        // Showing 13 runs the slider's handler, which would overwrite the
        // user's Caesar shift.
        const int gemerkt = gemerkteVerschiebung;
        ComboBox->setCurrentIndex(kRotation13);
        TrackBar->setValue(kRotation13);
        gemerkteVerschiebung = gemerkt;
    }
}

void TOptionForm::TrackBarChange()
{
    ComboBox->setCurrentIndex(TrackBar->value());
    LVerschAusgabe->setText(verschiebungsText(ComboBox->currentIndex()));
    gemerkteVerschiebung = ComboBox->currentIndex();
}

void TOptionForm::ComboBoxChange() { TrackBar->setValue(ComboBox->currentIndex()); }

void TOptionForm::CBKleinClick()
{
    if (CBKlein->isChecked())
        CBGross->setChecked(false);
}

void TOptionForm::CBGrossClick()
{
    if (CBGross->isChecked())
        CBKlein->setChecked(false);
}

// Typed characters other than letters never reach the field. Shortcuts such as
// Ctrl+V still do: what they bring in is cleaned when the field is left.
bool TOptionForm::EdSchluesselKeyPress(const QKeyEvent &taste)
{
    switch (taste.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return true; // they move the focus or delete; no character is typed
    default:
        break;
    }
    const bool kuerzel = taste.modifiers().testAnyFlags(Qt::ControlModifier | Qt::MetaModifier);
    const QString text = taste.text();
    return std::all_of(text.cbegin(), text.cend(), [kuerzel](QChar zeichen) {
        const char16_t c = zeichen.unicode();
        const bool steuerzeichen = c < u' ' || c == u'\x7f';
        return codepage::IstBuchstabe(zeichen) || c == u'\b' || c == u'\r'
            || (kuerzel && steuerzeichen);
    });
}

void TOptionForm::EdSchluesselExit()
{
    const QString schluessel = codepage::NurBuchstaben(EdSchluessel->text());
    EdSchluessel->setText(schluessel.isEmpty() ? kStandardSchluessel : schluessel);
}

void TOptionForm::EdSubstitutionExit()
{
    const QString schluessel = codepage::NurBuchstaben(EdSubstitution->text()).toUpper();
    EdSubstitution->setText(schluessel.isEmpty() ? kStandardSubstitution : schluessel);
}

void TOptionForm::BZufallsalphabetClick()
{
    QString alphabet = kKlaralphabet;
    std::shuffle(alphabet.begin(), alphabet.end(), *QRandomGenerator::global());
    EdSubstitution->setText(alphabet);
}

// An empty key shows no cipher row: the main window does nothing with it.
void TOptionForm::zeigeGeheimalphabet()
{
    const auto alphabet = Geheimalphabet(substitutionsschluessel());
    LGeheimalphabet->setText(
        kKlaralphabet + u'\n' + (alphabet ? QString::fromLatin1(*alphabet) : QString()));
}

void TOptionForm::RBMatrixQuadratischClick()
{
    if (RBMatrixQuadratisch->isChecked())
        SpEdSpalten->setEnabled(false);
}

void TOptionForm::RBMatrixManSpaltenClick()
{
    if (RBMatrixManSpalten->isChecked())
        SpEdSpalten->setEnabled(true);
}

void TOptionForm::SpEdSpaltenExit() { SpEdSpalten->setValue(SpEdSpalten->spaltenzahl()); }

// Changing the window flags hides a shown window; it comes back at its place.
void TOptionForm::CBStayOnTopClick()
{
    const bool sichtbar = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, CBStayOnTop->isChecked());
    if (sichtbar)
        show();
}

void TOptionForm::FormCreate()
{
    ComboBox->setCurrentIndex(2); // the slider and its label stand at 2 by design
    EdSchluessel->setText(kStandardSchluessel);
    EdSubstitution->setText(kStandardSubstitution);
    // The stored settings go into the controls before the window to show is chosen.
    einstellungenLaden();
    if (haupt.NurMethodenfenster())
        zeigeNurMethodenfenster();
    else
        haupt.zeigen();
}

// Option-only mode. Every top-level window has its own taskbar entry and the
// hidden main window has none, so the program has no entry of its own to hide.
void TOptionForm::zeigeNurMethodenfenster()
{
    haupt.ausserSicht();
    Zentriere(*this);
    show();
    activateWindow();
}

// Qt would start at the first method in the tab order, and Space would then
// switch the method: the user starts at the checked one.
void TOptionForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QWidget *fokus = focusWidget();
    QAbstractButton *gewaehlt = RadioGroupItems->checkedButton();
    if (gewaehlt && (!fokus || RadioGroupItems->buttons().contains(fokus)))
        gewaehlt->setFocus();
}

// The window lives as long as the program: closing only hides it.
void TOptionForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    FormClose();
}

void TOptionForm::FormClose()
{
    hide();
    haupt.MethodenfensterGeschlossen();
}

bool TOptionForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EdSchluessel || watched == EdSubstitution) {
        if (event->type() == QEvent::KeyPress
            && !EdSchluesselKeyPress(*static_cast<QKeyEvent *>(event)))
            return true;
        if (event->type() == QEvent::FocusOut && verlaesstFeld(*static_cast<QFocusEvent *>(event)))
            watched == EdSchluessel ? EdSchluesselExit() : EdSubstitutionExit();
    }
    return QWidget::eventFilter(watched, event);
}
