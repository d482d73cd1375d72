// Dialogs built from templates: where controls land, reaching them by id, handlers bound by id,
// the Enter and Escape rules, modal runs answered by the test, and the behaviour of the combo
// box, list box and list view that the windows count on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "Dc.h"
#include "Dialog.h"
#include "ListView.h"
#include "Resources.h"
#include "Seams.h"
#include "StandardControls.h"

namespace {

using namespace style;

// A window with one of every kind the windows use most.
const DialogTemplate kSample{
    .id = 9001,
    .caption = u"Próbne okno",
    .width = 300,
    .height = 200,
    .controls = {
        {.kind = ControlKind::Label, .id = 1010, .text = u"&Nazwa hodowli", .rect = {7, 7, 50, 14}},
        {.kind = ControlKind::Edit, .id = 1008, .rect = {60, 7, 100, 14}},
        {.kind = ControlKind::Edit, .id = 1009, .rect = {60, 25, 100, 40}, .style = Multiline},
        {.kind = ControlKind::Edit, .id = 1095, .rect = {170, 7, 40, 14}, .style = UpperCase},
        {.kind = ControlKind::Edit, .id = 1036, .rect = {170, 25, 40, 14}, .style = Number},
        {.kind = ControlKind::Combo, .id = 1006, .rect = {7, 70, 100, 80},
         .style = DropDownList, .items = {u" ", u"A", u"B"}},
        {.kind = ControlKind::ListBox, .id = 1035, .rect = {120, 70, 80, 50}},
        {.kind = ControlKind::ListView, .id = 1046, .rect = {7, 125, 200, 60},
         .style = Report | CheckBoxes | GridLines | FullRowSelect},
        {.kind = ControlKind::CheckBox, .id = 1055, .text = u"Nie zamykaj", .rect = {210, 70, 80, 10}},
        {.kind = ControlKind::Radio, .id = 1201, .text = u"Samiec", .rect = {210, 85, 60, 10},
         .style = Group},
        {.kind = ControlKind::Radio, .id = 1202, .text = u"Samica", .rect = {210, 97, 60, 10}},
        {.kind = ControlKind::Radio, .id = 1203, .text = u"Kolor", .rect = {210, 109, 60, 10},
         .style = Group},
        {.kind = ControlKind::PushButton, .id = 1099, .text = u"Hidden", .rect = {210, 130, 50, 14},
         .style = Hidden | Disabled},
        {.kind = ControlKind::PushButton, .id = IDOK, .text = u"OK", .rect = {180, 180, 50, 14},
         .style = DefaultButton},
        {.kind = ControlKind::PushButton, .id = IDCANCEL, .text = u"Anuluj", .rect = {240, 180, 50, 14}},
        {.kind = ControlKind::Bitmap, .id = 1151, .rect = {0, 0, 10, 10}, .resource = 133},
        {.kind = ControlKind::Combo, .id = 1007, .rect = {220, 7, 75, 60}, .style = Simple},
        {.kind = ControlKind::Edit, .id = 1050, .rect = {220, 100, 75, 60}},
    }};

const DialogTemplate kNoDefault{
    .id = 9002,
    .caption = u"Bez przycisków",
    .width = 100,
    .height = 50,
    .controls = {{.kind = ControlKind::Edit, .id = 1020, .rect = {7, 7, 80, 14}},
                 {.kind = ControlKind::PushButton, .id = 1013, .text = u"Szukaj", .rect = {7, 25, 50, 14}}}};

// A page shown inside another window.
const DialogTemplate kPage{
    .id = 9003,
    .style = Child,
    .width = 100,
    .height = 50,
    .controls = {{.kind = ControlKind::Edit, .id = 1008, .rect = {7, 7, 80, 14}},
                 {.kind = ControlKind::PushButton, .id = IDOK, .text = u"OK", .rect = {7, 25, 50, 14}}}};

class UiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const bool registered = [] {
            return AddDialogTemplate(kSample) && AddDialogTemplate(kNoDefault) &&
                   AddDialogTemplate(kPage);
        }();
        ASSERT_TRUE(registered);
    }
    void SetUp() override { seams::Reset(); }
    void TearDown() override { seams::Reset(); }
};

using DialogTemplateTest = UiTest;
using DialogBindingTest = UiTest;
using DialogKeysTest = UiTest;
using ModalSeamTest = UiTest;
using ControlBehaviourTest = UiTest;
using DialogFocusTest = UiTest;

// ---- templates ----------------------------------------------------------------------------

TEST_F(DialogTemplateTest, DialogUnitsConvertWithFixedFactorsOnBothEdges) {
    const PixelRect r = DuToPixels({7, 7, 50, 14});
    EXPECT_EQ(r.x, 10);
    EXPECT_EQ(r.y, 11);
    EXPECT_EQ(r.width, 75);
    EXPECT_EQ(r.height, 23);
    // Controls that touch in dialog units touch on screen: no gap, no overlap.
    const PixelRect left = DuToPixels({7, 7, 33, 14}), right = DuToPixels({40, 7, 33, 14});
    EXPECT_EQ(left.x + left.width, right.x);
}

TEST_F(DialogTemplateTest, ControlsLandAtTheirPixelPlacesWithTheirTexts) {
    Dialog dialog(9001);
    ASSERT_EQ(dialog.TemplateId(), 9001);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Próbne okno"));
    EXPECT_EQ(dialog.size(), QSize(450, 325));
    ASSERT_NE(dialog.Label(1010), nullptr);
    EXPECT_EQ(dialog.Label(1010)->geometry(), QRect(10, 11, 75, 23));
    EXPECT_EQ(dialog.GetDlgItemText(1010), QStringLiteral("Nazwa hodowli"));  // mnemonic dropped
    EXPECT_NE(dialog.Edit(1008), nullptr);
    EXPECT_EQ(dialog.Edit(1009), nullptr);  // multi-line is another kind of edit
    EXPECT_NE(dialog.MultiEdit(1009), nullptr);
    ASSERT_NE(dialog.Combo(1006), nullptr);
    EXPECT_EQ(dialog.Combo(1006)->GetCount(), 3);
    EXPECT_EQ(dialog.Combo(1006)->GetCurSel(), -1);  // template entries are not selected
    EXPECT_NE(dialog.ListBox(1035), nullptr);
    ASSERT_NE(dialog.List(1046), nullptr);
    EXPECT_TRUE(dialog.List(1046)->HasCheckBoxes());
    EXPECT_TRUE(dialog.List(1046)->showGrid());
    EXPECT_TRUE(dialog.Item(1099)->isHidden());
    EXPECT_FALSE(dialog.Item(1099)->isEnabled());
    EXPECT_EQ(dialog.Item(4242), nullptr);
    EXPECT_EQ(dialog.Combo(1008), nullptr);  // wrong type gives null, not a bad cast
}

TEST_F(DialogTemplateTest, EditStylesFilterWhatIsTyped) {
    Dialog dialog(9001);
    dialog.show();
    QTest::keyClicks(dialog.Edit(1095), QStringLiteral("pl"));
    EXPECT_EQ(dialog.GetDlgItemText(1095), QStringLiteral("PL"));
    QTest::keyClicks(dialog.Edit(1036), QStringLiteral("2a0-1"));
    EXPECT_EQ(dialog.GetDlgItemText(1036), QStringLiteral("201"));
}

TEST_F(DialogTemplateTest, AOneLineFieldInATallBoxKeepsItsTextAtTheTop) {
    Dialog dialog(9001);
    EXPECT_EQ(dialog.ItemAs<QLineEdit>(1050)->alignment() & Qt::AlignVertical_Mask, Qt::AlignTop);
    EXPECT_EQ(dialog.ItemAs<QLineEdit>(1008)->alignment() & Qt::AlignVertical_Mask, Qt::AlignVCenter);
    EXPECT_EQ(dialog.ItemAs<QLineEdit>(1036)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST_F(DialogTemplateTest, RadioGroupsFollowTheGroupStyle) {
    Dialog dialog(9001);
    dialog.CheckRadioButton(1201, 1202, 1201);
    dialog.CheckDlgButton(1203, 1);
    dialog.Radio(1202)->click();
    // 1201 and 1202 form one group; 1203 starts another and keeps its check.
    EXPECT_EQ(dialog.IsDlgButtonChecked(1201), 0);
    EXPECT_EQ(dialog.IsDlgButtonChecked(1202), 1);
    EXPECT_EQ(dialog.IsDlgButtonChecked(1203), 1);
    EXPECT_EQ(dialog.GetCheckedRadioButton(1201, 1202), 1202);
    dialog.CheckRadioButton(1201, 1202, 0);  // none of the range
    EXPECT_EQ(dialog.GetCheckedRadioButton(1201, 1202), 0);
}

TEST_F(DialogTemplateTest, PicturesComeByIdAtTheirOwnSize) {
    EXPECT_EQ(LoadBitmap(133).size(), QSize(2005, 65));  // the header band
    EXPECT_TRUE(LoadIcon(128).availableSizes().contains(QSize(32, 32)));
    Dialog dialog(9001);
    ASSERT_NE(dialog.Label(1151), nullptr);
    EXPECT_EQ(dialog.Label(1151)->geometry(), QRect(0, 0, 2005, 65));  // a picture sizes its control
}

TEST_F(DialogTemplateTest, UnknownTemplateAndImageGiveEmptyResults) {
    EXPECT_EQ(FindDialogTemplate(-5), nullptr);
    EXPECT_TRUE(LoadBitmap(987654).isNull());
    EXPECT_TRUE(LoadIcon(987654).isNull());
    DialogTemplate twin = kSample;
    EXPECT_FALSE(AddDialogTemplate(twin));  // the first template of an id stays
    EXPECT_EQ(FindDialogTemplate(9001)->controls.size(), kSample.controls.size());
}

// ---- binding ------------------------------------------------------------------------------

TEST_F(DialogBindingTest, ClickingAButtonRunsItsHandler) {
    Dialog dialog(9001);
    int clicks = 0;
    dialog.OnClicked(1013, [] {});
    dialog.OnClicked(1055, [&] { ++clicks; });
    dialog.CheckBox(1055)->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(dialog.RunCommand(1055));
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(dialog.RunCommand(32000));  // nothing bound
}

TEST_F(DialogBindingTest, UserChoicesNotifyButTheProgramsChangesDoNot) {
    Dialog dialog(9001);
    int combo = 0, list = 0, text = 0;
    dialog.OnSelChange(1006, [&] { ++combo; });
    dialog.OnSelChange(1035, [&] { ++list; });
    dialog.OnChanged(1008, [&] { ++text; });
    dialog.Combo(1006)->SetCurSel(1);
    dialog.ListBox(1035)->AddString(QStringLiteral("Gołębnik"));
    dialog.ListBox(1035)->SetCurSel(0);
    EXPECT_EQ(combo, 0);
    EXPECT_EQ(list, 0);
    dialog.show();
    emit dialog.Combo(1006)->activated(2);  // what the combo says when the user picks an entry
    EXPECT_EQ(combo, 1);
    dialog.ListBox(1035)->AddString(QStringLiteral("Drugi"));
    const QRect second = dialog.ListBox(1035)->visualItemRect(dialog.ListBox(1035)->item(1));
    QTest::mouseClick(dialog.ListBox(1035)->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(list, 1);
    EXPECT_EQ(dialog.ListBox(1035)->GetCurSel(), 1);
    dialog.SetDlgItemText(1008, QStringLiteral("abc"));  // edits report every change
    EXPECT_EQ(text, 1);
}

TEST_F(DialogBindingTest, SimpleComboShowsItsListInItsOwnPlaceAndAClickChooses) {
    Dialog dialog(9001);
    int chosen = 0;
    dialog.OnSelChange(1007, [&] { ++chosen; });
    ComboBox* combo = dialog.Combo(1007);
    auto* simple = qobject_cast<SimpleComboBox*>(combo);
    ASSERT_TRUE(simple);
    for (const char* name : {"Północ :: Lotne", "Północ :: Młode", "Południe :: Stare"})
        combo->AddString(QString::fromUtf8(name));
    dialog.show();
    // The whole rectangle of the template, the list below the edit and visible, no drop-down.
    EXPECT_GT(combo->height(), 90);
    QListView* list = simple->ListPart();
    EXPECT_TRUE(list->isVisible());
    EXPECT_GE(list->geometry().top(), combo->lineEdit()->geometry().bottom());
    EXPECT_EQ(list->geometry().bottom(), combo->height() - 1);
    EXPECT_EQ(list->model()->rowCount(), 3);
    simple->showPopup();
    EXPECT_FALSE(combo->view()->isVisible());

    const QRect second = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(combo->GetWindowText(), QStringLiteral("Północ :: Młode"));
    // The program's choice shows in the list but notifies nobody.
    combo->SetCurSel(2);
    EXPECT_EQ(list->currentIndex().row(), 2);
    EXPECT_EQ(chosen, 1);
}

TEST_F(DialogBindingTest, LeavingAFieldReportsLostFocusOnce) {
    Dialog dialog(9001);
    int lost = 0;
    dialog.OnKillFocus(1006, [&] { ++lost; });  // an editable part inside does not count apart
    dialog.Combo(1006)->setEditable(true);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.Combo(1006)->setFocus();
    dialog.Combo(1006)->lineEdit()->setFocus();
    EXPECT_EQ(lost, 0);
    dialog.Edit(1008)->setFocus();
    EXPECT_EQ(lost, 1);
    dialog.Edit(1095)->setFocus();
    EXPECT_EQ(lost, 1);
}

TEST_F(DialogBindingTest, OkAndCancelEndTheDialogUnlessBoundElsewhere) {
    Dialog plain(9001);
    plain.Button(IDOK)->click();
    EXPECT_TRUE(plain.HasEnded());
    EXPECT_EQ(plain.EndCode(), IDOK);

    Dialog kept(9001);
    bool validated = false;
    kept.OnClicked(IDOK, [&] { validated = true; });  // the window checks its fields first
    kept.Button(IDOK)->click();
    EXPECT_TRUE(validated);
    EXPECT_FALSE(kept.HasEnded());
}

TEST_F(DialogBindingTest, ReplacedControlKeepsPlaceTextAndBindings) {
    Dialog dialog(9001);
    int clicks = 0;
    dialog.OnClicked(IDCANCEL, [&] { ++clicks; });
    const QRect where = dialog.Item(IDCANCEL)->geometry();
    auto* own = dialog.ReplaceItemWith<QPushButton>(IDCANCEL);
    EXPECT_EQ(dialog.Button(IDCANCEL), own);
    EXPECT_EQ(own->geometry(), where);
    EXPECT_EQ(own->text(), QStringLiteral("Anuluj"));
    own->click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(DialogBindingTest, TypedNumbersAreRefusedWithAMessage) {
    Dialog dialog(9001);
    int value = 7;
    dialog.SetDlgItemText(1008, QStringLiteral(" 42 "));
    EXPECT_TRUE(dialog.ReadInt(1008, value));
    EXPECT_EQ(value, 42);
    for (const char* bad : {"", "4 2", "12x", "99999999999"}) {
        dialog.SetDlgItemText(1008, QString::fromLatin1(bad));
        EXPECT_FALSE(dialog.ReadInt(1008, value)) << bad;
    }
    EXPECT_EQ(value, 42);  // unchanged by refused text
    ASSERT_EQ(seams::MessageBoxCalls().size(), 4u);
    EXPECT_EQ(seams::MessageBoxCalls()[0].text, QStringLiteral("Wprowadź liczbę całkowitą."));
    unsigned code = 0;
    dialog.SetDlgItemText(1008, QStringLiteral("-1"));
    EXPECT_FALSE(dialog.ReadUInt(1008, code));
}

// The window tests run under the users' Polish locale, whose C library writes and reads a
// decimal comma; decimal fields must still take the dot they are filled with, and a comma.
TEST_F(DialogBindingTest, DecimalFieldsTakeADotOrACommaWhateverTheLocale) {
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "the tests run outside the Polish locale";
    Dialog dialog(9001);
    const std::pair<const char*, double> good[] = {
        {"1234.5", 1234.5}, {"1234,5", 1234.5}, {" -0,25 ", -0.25}, {"+12.", 12.0},
        {",5", 0.5},        {"7", 7.0},          {"1.5e3", 1500.0}};
    for (const auto& [text, expected] : good) {
        double real = -1;
        dialog.SetDlgItemText(1008, QString::fromLatin1(text));
        EXPECT_TRUE(dialog.ReadDouble(1008, real)) << text;
        EXPECT_DOUBLE_EQ(real, expected) << text;
    }
    EXPECT_TRUE(seams::MessageBoxCalls().empty());
    double real = 3.0;
    for (const char* bad : {"", "1.234,5", "1,2,3", "12 5", "0x10", "inf", "nan", "1e999", ".", "1.5x"}) {
        dialog.SetDlgItemText(1008, QString::fromLatin1(bad));
        EXPECT_FALSE(dialog.ReadDouble(1008, real)) << bad;
    }
    EXPECT_EQ(real, 3.0);
    float single = 0;
    dialog.SetDlgItemText(1008, QStringLiteral("1e39"));
    EXPECT_FALSE(dialog.ReadFloat(1008, single));
    dialog.SetDlgItemText(1008, QStringLiteral("0,75"));
    EXPECT_TRUE(dialog.ReadFloat(1008, single));
    EXPECT_FLOAT_EQ(single, 0.75f);
}

// ---- keys ---------------------------------------------------------------------------------

TEST_F(DialogKeysTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
    Dialog dialog(9001);
    int ok = 0;
    dialog.OnClicked(IDOK, [&] { ++ok; });
    dialog.show();
    QTest::keyClick(dialog.Edit(1008), Qt::Key_Return);
    EXPECT_EQ(ok, 1);
    QTest::keyClick(dialog.Edit(1008), Qt::Key_Escape);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.EndCode(), IDCANCEL);
}

TEST_F(DialogKeysTest, EnterInAMultiLineEditStartsANewLine) {
    Dialog dialog(9001);
    int ok = 0;
    dialog.OnClicked(IDOK, [&] { ++ok; });
    dialog.show();
    QTest::keyClicks(dialog.MultiEdit(1009), QStringLiteral("a"));
    QTest::keyClick(dialog.MultiEdit(1009), Qt::Key_Return);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(dialog.GetDlgItemText(1009), QStringLiteral("a\n"));
}

TEST_F(DialogKeysTest, SwallowedKeysReachNeitherWindowNorControl) {
    Dialog dialog(9001);
    dialog.SetKeyPolicy({.swallowEnter = true, .swallowEscape = true});
    int ok = 0;
    dialog.OnClicked(IDOK, [&] { ++ok; });
    dialog.show();
    QSignalSpy returnPressed(dialog.Edit(1008), &QLineEdit::returnPressed);
    QTest::keyClick(dialog.Edit(1008), Qt::Key_Return);
    QTest::keyClick(dialog.Edit(1008), Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(returnPressed.count(), 0);
    EXPECT_FALSE(dialog.HasEnded());
}

TEST_F(DialogKeysTest, EnterCanRunAChosenCommandAndWithoutDefaultRunsOk) {
    Dialog search(9002);
    int searches = 0;
    search.OnClicked(1013, [&] { ++searches; });
    search.SetKeyPolicy({.enterCommand = 1013});
    search.show();
    QTest::keyClick(search.Edit(1020), Qt::Key_Return);
    EXPECT_EQ(searches, 1);
    EXPECT_FALSE(search.HasEnded());

    Dialog plain(9002);  // no button 1: Enter still means OK
    plain.show();
    QTest::keyClick(plain.Edit(1020), Qt::Key_Return);
    EXPECT_TRUE(plain.HasEnded());
    EXPECT_EQ(plain.EndCode(), IDOK);
}

TEST_F(DialogKeysTest, KeysInAPageAreDecidedByTheWindowHoldingIt) {
    Dialog window(9002);
    window.SetKeyPolicy({.swallowEnter = true, .swallowEscape = true});
    Dialog page(9003);
    page.Create(&window);
    window.show();
    page.show();
    EXPECT_FALSE(page.isWindow());
    QTest::keyClick(page.Edit(1008), Qt::Key_Return);
    QTest::keyClick(page.Edit(1008), Qt::Key_Escape);
    EXPECT_FALSE(page.HasEnded());
    EXPECT_FALSE(window.HasEnded());
    EXPECT_TRUE(page.isVisible());
}

// ---- focus ------------------------------------------------------------------------------

// Shown and active, as the user first sees it.
bool Open(Dialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

TEST_F(DialogFocusTest, KeyboardFocusSelectsAOneLineFieldWholeButNeverANote) {
    Dialog dialog(9001);
    dialog.SetDlgItemText(1009, QStringLiteral("Notatka"));
    dialog.SetDlgItemText(1095, QStringLiteral("PL"));
    dialog.MultiEdit(1009)->setFocus();  // the window starts in its note
    ASSERT_TRUE(Open(dialog));
    EXPECT_FALSE(dialog.MultiEdit(1009)->textCursor().hasSelection());  // the first key would wipe it
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dialog.Edit(1095)->selectedText(), QStringLiteral("PL"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(dialog.Edit(1095)->selectedText(), QStringLiteral("PL"));
}

// A date typed in three boxes: the first box that holds no number is the one refused, by the
// date's own message, and given the focus; nothing is read.
TEST_F(DialogFocusTest, TheDateBoxHoldingNoNumberGetsTheFocus) {
    struct Case {
        const char* day;
        const char* month;
        const char* year;
        int refused;
    };
    const Case cases[] = {{"", "4", "2024", 1008}, {"3", "", "2024", 1095},
                          {"3", "4", "", 1036}, {"3", "", "", 1095}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.day) + "/" + c.month + "/" + c.year);
        seams::Reset();
        Dialog dialog(9001);
        dialog.SetDlgItemText(1008, QString::fromLatin1(c.day));
        dialog.SetDlgItemText(1095, QString::fromLatin1(c.month));
        dialog.SetDlgItemText(1036, QString::fromLatin1(c.year));
        dialog.MultiEdit(1009)->setFocus();
        ASSERT_TRUE(Open(dialog));
        int day = -1, month = -1, year = -1;
        EXPECT_FALSE(dialog.ReadDateBoxes(1008, 1095, 1036, day, month, year,
                                          u"Nieprawidłowa data podania."));
        EXPECT_EQ(std::vector<int>({day, month, year}), std::vector<int>({-1, -1, -1}));
        ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
        EXPECT_EQ(seams::MessageBoxCalls()[0].text, QString::fromUtf8("Nieprawidłowa data podania."));
        EXPECT_TRUE(dialog.Edit(c.refused)->hasFocus());
    }
}

TEST_F(DialogFocusTest, AClickPutsTheCaretWhereItLandsWithNothingSelected) {
    Dialog dialog(9001);
    dialog.SetDlgItemText(1095, QStringLiteral("ABCDEF"));
    ASSERT_TRUE(Open(dialog));
    QLineEdit* field = dialog.Edit(1095);  // not the one the window opened in
    QPoint between(0, field->height() / 2);  // "ABC|DEF"
    while (between.x() < field->width() && field->cursorPositionAt(between) != 3) ++between.rx();
    QTest::mouseClick(field, Qt::LeftButton, {}, between);
    QApplication::processEvents();  // nothing selected later either
    EXPECT_TRUE(field->hasFocus());
    EXPECT_FALSE(field->hasSelectedText());
    EXPECT_EQ(field->cursorPosition(), 3);
}

// ---- modal runs ---------------------------------------------------------------------------

class InitCounting : public Dialog {
public:
    InitCounting() : Dialog(9001) {}
    bool OnInitDialog() override {
        ++inits;
        SetDlgItemText(1008, QStringLiteral("z OnInitDialog"));
        return true;
    }
    void OnOK() override {
        name = GetDlgItemText(1008);
        Dialog::OnOK();
    }
    int inits = 0;
    QString name;
};

TEST_F(ModalSeamTest, HandlerSeesAnInitialisedDialogAndItsEndCodeIsReturned) {
    seams::SetModalHandler([](Dialog& d) {
        EXPECT_EQ(d.GetDlgItemText(1008), QStringLiteral("z OnInitDialog"));
        EXPECT_TRUE(d.isVisible());
        d.SetDlgItemText(1008, QStringLiteral("Hodowla"));
        d.Button(IDOK)->click();
        return IDCANCEL;  // ignored: the dialog ended itself with OK
    });
    InitCounting dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(dialog.name, QStringLiteral("Hodowla"));
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, 9001);
    EXPECT_EQ(seams::ModalRuns()[0].result, IDOK);
}

TEST_F(ModalSeamTest, QueuedHandlersAnswerNestedDialogsInTurn) {
    seams::QueueModalHandler([](Dialog& outer) {
        Dialog inner(9002);
        EXPECT_EQ(inner.DoModal(), 77);
        outer.EndDialog(IDOK);
        return 0;
    });
    seams::QueueModalHandler([](Dialog&) { return 77; });
    Dialog outer(9001);
    EXPECT_EQ(outer.DoModal(), IDOK);
    ASSERT_EQ(seams::ModalRuns().size(), 2u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, 9002);  // the inner one ends first
}

// The real message box shows its text as it stands: a bird named "<b>Grom</b>" keeps its tags
// on screen instead of turning them into bold type.
TEST_F(ModalSeamTest, TheRealMessageBoxShowsTextAsTyped) {
    seams::SetTestMode(false);
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        format = box->textFormat();
        box->reject();
    });
    EXPECT_EQ(MessageBox(nullptr, QStringLiteral("Gołąb <b>Grom</b>"), QStringLiteral("Próba")), IDOK);
    seams::SetTestMode(true);
    EXPECT_EQ(shown, QStringLiteral("Gołąb <b>Grom</b>"));
    EXPECT_EQ(format, Qt::PlainText);
}

TEST_F(ModalSeamTest, WithoutAHandlerAModalRunIsCancelledAtOnce) {
    Dialog dialog(9001);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(ModalSeamTest, MessageBoxesAreRecordedAndAnsweredInTurn) {
    seams::ScriptMessageBoxAnswers({IDYES});
    EXPECT_EQ(MessageBox(nullptr, QStringLiteral("Czy napewno usunąć wybraną parę?"),
                         QStringLiteral("Pytanie"), MB_YESNO | MB_ICONQUESTION),
              IDYES);
    // Unscripted boxes take their most cautious answer: no deletion happens by accident.
    EXPECT_EQ(MessageBox(nullptr, QStringLiteral("Usunąć?"), {}, MB_YESNO), IDNO);
    EXPECT_EQ(MessageBox(nullptr, QStringLiteral("Zapisać?"), {}, MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, u"Musisz wybrać kategorię z listy"), IDOK);
    const auto& calls = seams::MessageBoxCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].caption, QStringLiteral("Pytanie"));
    EXPECT_EQ(calls[0].flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(calls[3].text, QStringLiteral("Musisz wybrać kategorię z listy"));
    EXPECT_EQ(calls[3].caption, QStringLiteral("Ornivex 6"));  // no caption: the program's name
    EXPECT_EQ(calls[3].flags, MB_OK);
}

// ---- control behaviour --------------------------------------------------------------------

TEST_F(ControlBehaviourTest, ComboEntriesAreNeverSelectedByAddingOrDeleting) {
    ComboBox combo;
    combo.AddString(QStringLiteral("Hodowla 1"));
    EXPECT_EQ(combo.GetCurSel(), -1);
    combo.AddString(QStringLiteral("Hodowla 2"));
    combo.AddString(QStringLiteral("Hodowla 3"));
    combo.SetCurSel(1);
    // Replacing the selected entry (delete, insert at the same place) leaves no selection.
    combo.DeleteString(1);
    EXPECT_EQ(combo.GetCurSel(), -1);
    combo.InsertString(1, QStringLiteral("Nowa nazwa"));
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.GetLBText(1), QStringLiteral("Nowa nazwa"));
    // Deleting an entry before the selected one keeps the same entry selected.
    combo.SetCurSel(2);
    combo.DeleteString(0);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetLBText(1), QStringLiteral("Hodowla 3"));
    EXPECT_EQ(combo.SetCurSel(7), -1);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.SelectString(-1, QStringLiteral("hod")), 1);
}

TEST_F(ControlBehaviourTest, RowsHoldTheAccentsOfCapitalsAndTheDescenders) {
    // Each kind of list in the dialogs' font and in the bird list's font: a row must be at least
    // as tall as "Śg" inks from the accent's top to the descender's bottom.
    for (const QFont& font : {DialogFont(QStringLiteral("MS Shell Dlg"), 8),
                              Font(QStringLiteral("Verdana"), 16, FW_MEDIUM)}) {
        const QFontMetrics metrics(font);
        const QRect ink = metrics.tightBoundingRect(QStringLiteral("ŚŻg"));
        const int needed = ink.height();
        ListBoxControl box;
        box.setFont(font);
        box.AddString(QStringLiteral("Ślązaczka"));
        box.resize(200, 200);
        box.show();
        EXPECT_GE(box.visualItemRect(box.item(0)).height(), needed);
        ComboBox combo;
        combo.setFont(font);
        combo.AddString(QStringLiteral("Średnia ocena"));
        QStyleOptionViewItem option;
        option.font = font;
        EXPECT_GE(combo.itemDelegate()->sizeHint(option, combo.model()->index(0, 0)).height(), needed);
        ListView list;
        list.setFont(font);
        list.InsertColumn(0, QStringLiteral("Nazwa"), ListView::AlignLeft, 80);
        list.InsertItem(0, QStringLiteral("Żaneta"));
        EXPECT_GE(list.rowHeight(0), needed);
    }
}

TEST_F(ControlBehaviourTest, SortedListsOrderWithoutRegardToCase) {
    ListBoxControl list;
    list.SetSorted(true);
    for (const char* name : {"zielony", "Biały", "czarny", "Aa"}) list.AddString(QString::fromUtf8(name));
    EXPECT_EQ(list.GetText(0), QStringLiteral("Aa"));
    EXPECT_EQ(list.GetText(1), QStringLiteral("Biały"));
    EXPECT_EQ(list.GetText(3), QStringLiteral("zielony"));
    list.InsertString(0, QStringLiteral("zz"));  // inserting at a place does not sort
    EXPECT_EQ(list.GetText(0), QStringLiteral("zz"));
}

TEST_F(ControlBehaviourTest, ListViewKeepsRowOrderDataAndChecks) {
    ListView list;
    list.SetCheckBoxes(true);
    list.InsertColumn(0, QStringLiteral("Obrączka"), ListView::AlignLeft, 80);
    list.InsertColumn(1, u"Płeć", ListView::AlignLeft, 60);
    for (int i = 0; i < 3; ++i) {
        const int row = list.InsertItem(list.GetItemCount(), QStringLiteral("PL-%1").arg(3 - i));
        list.SetItemText(row, 1, QStringLiteral("Samiec"));
        list.SetItemData(row, 100 + i);
    }
    list.InsertItem(0, QStringLiteral("PL-0"));
    list.SetItemData(0, 99);
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetItemText(1, 0), QStringLiteral("PL-3"));  // never sorted
    EXPECT_EQ(list.GetItemData(1), 100);
    EXPECT_EQ(list.GetItemData(0), 99);
    EXPECT_EQ(list.GetItemText(0, 1), QString());
    EXPECT_FALSE(list.GetCheck(2));
    list.SetCheck(2, true);
    EXPECT_TRUE(list.GetCheck(2));
    EXPECT_EQ(list.FirstSelectedRow(), -1);
    list.SelectRow(2);
    EXPECT_EQ(list.FirstSelectedRow(), 2);
    EXPECT_EQ(list.GetSelectionMark(), 2);
    list.DeleteItem(0);
    EXPECT_EQ(list.GetItemData(0), 100);
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.FirstSelectedRow(), -1);
    EXPECT_EQ(list.GetSelectionMark(), -1);
    EXPECT_EQ(list.GetItemData(0), 0);
}

// Columns marked to fit widen to their longest text as far as the list has room, sharing it,
// never narrower than the widths given and never so wide that the list scrolls sideways; a
// column fitted always takes just its heading and texts, scrolling if it must.
// A fitted column is as wide as its widest text wherever that row comes in a long fill, so no
// ring of the column is cut while the list has room for it.
TEST_F(ControlBehaviourTest, AFittedColumnShowsEveryTextOfALongFillWhole) {
    ListView list;
    list.InsertColumn(0, QStringLiteral("Nr"), ListView::AlignLeft, 30);
    list.InsertColumn(1, QStringLiteral("Obrączka"), ListView::AlignLeft, 40);
    list.SetColumnFit(1, ListView::ColumnFit::WhenRoom);
    list.resize(900, 300);
    list.show();
    QStringList rings;
    for (int row = 0; row < 200; ++row) {
        // Lengths and letters vary; the widest rings come late.
        rings << QStringLiteral("PL-%1-%2-%3%4")
                     .arg(row % 7 * 1111, 4, 10, QLatin1Char('0'))
                     .arg(row % 100, 2, 10, QLatin1Char('0'))
                     .arg(row)
                     .arg(row % 50 == 49 ? QStringLiteral(" [Wąż Żółtodzioby Wielkopolski]")
                                         : QString());
        list.SetItemText(list.InsertItem(row, QString::number(row)), 1, rings.last());
    }
    QApplication::processEvents();
    for (int row = 0; row < 200; ++row)
        ASSERT_EQ(list.ShownCellText(row, 1), rings[row]) << row;
}

TEST_F(ControlBehaviourTest, ListColumnsWidenToTheirTextsWithinTheListsRoom) {
    ListView list;
    list.SetGridLines(true);
    list.SetCheckBoxes(true);
    const int given[] = {30, 100, 100, 100};
    const char* headings[] = {"...", "Samiec", "Samica", "Uwagi"};
    for (int column = 0; column < 4; ++column)
        list.InsertColumn(column, QString::fromUtf8(headings[column]), ListView::AlignLeft, given[column]);
    list.SetColumnFit(1, ListView::ColumnFit::WhenRoom);
    list.SetColumnFit(2, ListView::ColumnFit::WhenRoom);
    list.resize(800, 200);
    list.show();
    const QString ring = QStringLiteral("PL 0446 2018 12345 [Błękitny Książę Wielkopolski]");
    const QFontMetrics metrics(list.font());
    ASSERT_GT(metrics.horizontalAdvance(ring), 100);
    const auto widths = [&] {
        std::vector<int> w;
        for (int column = 0; column < 4; ++column) w.push_back(list.GetColumnWidth(column));
        return w;
    };
    const auto noSidewaysScrolling = [&] {
        QApplication::processEvents();
        int sum = 0;
        for (int w : widths()) sum += w;
        EXPECT_LE(sum, list.viewport()->width());
        EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
    };

    list.InsertItem(0, QStringLiteral(" "));
    list.SetItemText(0, 1, ring);
    list.SetItemText(0, 2, QStringLiteral("PL 1"));
    list.SetItemText(0, 3, ring);  // not fitted: cut at its width
    EXPECT_GE(list.GetColumnWidth(1), list.CellWidth(0, 1));
    EXPECT_GT(list.GetColumnWidth(1), metrics.horizontalAdvance(ring));
    EXPECT_EQ(widths()[2], 100);
    EXPECT_EQ(widths()[3], 100);
    noSidewaysScrolling();

    // Many rows bring the vertical scroll bar: the columns still fit beside it.
    for (int row = 1; row < 40; ++row) list.SetItemText(list.InsertItem(row, QStringLiteral(" ")), 2, ring);
    EXPECT_GE(list.GetColumnWidth(2), list.CellWidth(1, 2));
    noSidewaysScrolling();

    // Too narrow for both: they share the room, neither below its width.
    list.resize(440, 200);
    noSidewaysScrolling();
    EXPECT_GT(widths()[1], 100);
    EXPECT_GT(widths()[2], 100);
    EXPECT_LE(std::abs(widths()[1] - widths()[2]), 1);
    // No room at all: the widths given.
    list.resize(300, 200);
    EXPECT_EQ(widths(), std::vector<int>(std::begin(given), std::end(given)));
    list.resize(800, 200);

    // Removing the long rows and filling the list again with short texts narrows the columns.
    for (int row = list.GetItemCount() - 1; row >= 1; --row) list.DeleteItem(row);
    EXPECT_EQ(widths()[2], 100);
    list.SetItemText(0, 1, QStringLiteral("PL 2"));
    EXPECT_EQ(widths()[1], 100);
    list.SetItemText(0, 1, ring);
    list.DeleteAllItems();
    list.SetItemText(list.InsertItem(0, QStringLiteral(" ")), 1, QStringLiteral("PL 3"));
    EXPECT_EQ(widths()[1], 100);

    // Fitted always: heading and text whole whatever the width given, even past the list.
    list.SetItemText(0, 3, QStringLiteral("Uwagi"));
    list.SetColumnFit(3, ListView::ColumnFit::Always);
    EXPECT_EQ(widths()[3], std::max(list.HeadingWidth(3), list.CellWidth(0, 3)));
    EXPECT_LT(widths()[3], 100);
    list.SetItemText(0, 3, ring + ring);
    EXPECT_GE(widths()[3], list.CellWidth(0, 3));
    QApplication::processEvents();
    EXPECT_GT(list.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ControlBehaviourTest, ClickingAListRowSelectsItThenNotifies) {
    Dialog dialog(9001);
    ListView* list = dialog.List(1046);
    list->InsertColumn(0, QStringLiteral("A"), ListView::AlignLeft, 100);
    list->InsertItem(0, QStringLiteral("pierwszy"));
    list->InsertItem(1, QStringLiteral("drugi"));
    int seenRow = -2, doubles = 0;
    dialog.OnClicked(1046, [&] { seenRow = dialog.List(1046)->FirstSelectedRow(); });
    dialog.OnDoubleClick(1046, [&] { ++doubles; });
    dialog.show();
    const QRect second = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(seenRow, 1);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(doubles, 1);
    list->SetSingleSelection(true);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
    EXPECT_EQ(seenRow, -1);  // a click below the rows selects nothing
}

TEST_F(ControlBehaviourTest, DatePickerCarriesLocalTimeOrNone) {
    DateTimePicker picker(nullptr, DateTimePicker::Format::LongDate, true);
    const Time64 noon = *MakeLocalTime(5, 3, 2009, 12, 0, 0);
    picker.SetTime(noon);
    EXPECT_TRUE(picker.HasValue());
    EXPECT_EQ(picker.GetTime(), noon);
    picker.SetTime(-1);
    EXPECT_FALSE(picker.HasValue());
    EXPECT_EQ(picker.GetTime(), -1);
    const Time64 summer = *MakeLocalTime(1, 7, 2020, 1, 1, 1);  // daylight saving in Warsaw
    picker.SetTime(summer);
    EXPECT_EQ(picker.GetTime(), summer);
}

}  // namespace
