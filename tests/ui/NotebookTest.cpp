// The notebook: note files as they land on disk (byte-order mark and UTF-16LE), the note being
// edited saved into its own file whenever it is left, and never into another note's file after
// a delete or a loft change.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <memory>

#include "ControlKinds.h"
#include "DataStore.h"
#include "Globals.h"
#include "ListView.h"
#include "MainDialog.h"
#include "NowaNazwa.h"
#include "Places.h"
#include "Seams.h"
#include "Settings.h"
#include "StandardControls.h"
#include "SharedRoutines.h"
#include "WindowTestSupport.h"
#include "menu/MainMenu.h"
#include "ZakladkaNotatnik.h"

namespace {

QByteArray FileBytes(int noteId) {
    QFile file(QString::fromStdU16String(NoteFilePath(noteId)));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// What a note file holds for a text: FF FE, then the text in UTF-16LE.
QByteArray NoteFileBytes(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

// The text of a note file, or a marker when it is not a note file.
QString FileText(int noteId) {
    const QByteArray bytes = FileBytes(noteId);
    if (!bytes.startsWith("\xFF\xFE") || bytes.size() % 2) return QStringLiteral("<not a note file>");
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                              (bytes.size() - 2) / 2);
}

// A modal answer for "Nowa notatka": type the name and press OK.
seams::ModalHandler NameTheNote(const std::u16string& name) {
    return [name](Dialog& dialog) {
        EXPECT_EQ(dialog.TemplateId(), CNowaNazwa::kTemplateId);
        dialog.SetItemText(CNowaNazwa::kNameEdit, name);
        dialog.RunCommand(IDOK);
        return dialog.HasEnded() ? dialog.EndCode() : IDCANCEL;
    };
}

class NotebookTest : public MainWindowTest {
protected:
    void TearDown() override {
        dialog_.reset();
        host_.reset();
        MainWindowTest::TearDown();
    }

    // A note of the loft with its file.
    static int AddNote(int loftId, const std::u16string& name, const QString& body) {
        NoteRecord note;
        note.id_hodowli = loftId;
        note.nazwa = name;
        EXPECT_TRUE(TheDataStore().WriteNote(WriteMode::Insert, note));
        EXPECT_TRUE(WriteUnicodeFile(NoteFilePath(note.id), body.toStdU16String()));
        return note.id;
    }

    // The notebook page on its own, shown, with the notes now loaded.
    CZakladkaNotatnik& OpenPage() {
        host_ = std::make_unique<QWidget>();
        host_->resize(1200, 700);
        auto* page = new CZakladkaNotatnik(host_.get());
        page->Create(host_.get());
        page->setGeometry(0, 0, 1190, 690);
        page->PlaceEditor(10, 110, 1200, 800);
        page->FillNoteList();
        host_->show();
        page->show();
        return *page;
    }

    void ShowPageOfMainWindow(int x) {
        QTest::mouseClick(dialog_.get(), Qt::LeftButton, {}, QPoint(x, dialog_->ClientTop() + 80));
    }

    static void Click(CZakladkaNotatnik& page, int row) {
        page.NoteList()->SelectRow(row);
        if (row < 0) page.NoteList()->ClearRowSelection();
        page.Fire(CZakladkaNotatnik::kNoteList, Notification::Clicked);
    }

    // The editor's document as it stands.
    static QString Shown(CZakladkaNotatnik& page) {
        QString html;
        page.Editor().GetHtml(html);
        return html;
    }

    // Types on the keyboard at the end of the editor's text, as a user does: a click into the
    // editor first, then the keys.
    static void Type(CZakladkaNotatnik& page, const QString& text) {
        CHtmlEditBrowser& editor = page.Editor();
        ASSERT_TRUE(editor.WaitForDocument());
        QWidget* engine = editor.View()->focusProxy();
        ASSERT_NE(engine, nullptr);
        engine->setFocus();
        QTest::mouseClick(engine, Qt::LeftButton, {}, QPoint(5, 5));
        for (int i = 0; i < 50 && !engine->testAttribute(Qt::WA_InputMethodEnabled); ++i)
            QTest::qWait(20);
        QTest::qWait(50);  // the click's own caret comes first
        editor.RunScript(QStringLiteral(
            "var n = document.body.lastChild || document.body;"
            "var r = document.createRange(); r.selectNodeContents(n); r.collapse(false);"
            "getSelection().removeAllRanges(); getSelection().addRange(r); true"));
        QTest::keyClicks(engine, text);
        for (int i = 0; i < 150 && !Shown(page).contains(text); ++i) QTest::qWait(20);
        ASSERT_TRUE(Shown(page).contains(text)) << Shown(page).toStdString();
    }

    std::unique_ptr<QWidget> host_;
};

TEST_F(NotebookTest, NewNoteIsAFileOfExactlyTheMarkAndTheEmptyPage) {
    const int loft = AddLoft(u"Północ");
    const int first = AddNote(loft, u"Karmienie", QStringLiteral("<p>jęczmień</p>"));
    TheDataStore().LoadLofts();
    TheDataStore().LoadExtraDb(loft);
    g_currentLoftIndex = 0;
    CZakladkaNotatnik& page = OpenPage();
    ASSERT_EQ(page.currentNote, 0);

    // A blank name is refused with a message and adds nothing.
    seams::QueueModalHandler(NameTheNote(u"   "));
    page.RunCommand(CZakladkaNotatnik::kNewNote);
    EXPECT_EQ(MessageTexts(), QStringList{"Wprowadź nazwę notatki."});
    EXPECT_EQ(TheDataStore().Notes().size(), 1u);

    seams::QueueModalHandler(NameTheNote(u"Szczepienia 2024"));
    page.RunCommand(CZakladkaNotatnik::kNewNote);

    ASSERT_EQ(TheDataStore().Notes().size(), 2u);
    const NoteRecord& note = TheDataStore().Notes()[1];
    EXPECT_EQ(note.nazwa, u"Szczepienia 2024");
    EXPECT_EQ(note.id_hodowli, loft);
    const QByteArray bytes = FileBytes(note.id);
    EXPECT_EQ(bytes.size(), 66);
    EXPECT_EQ(bytes, NoteFileBytes(QStringLiteral("<HTML><BODY>&nbsp;</BODY></HTML>")));
    EXPECT_EQ(page.NoteList()->GetItemText(1, 0), "Szczepienia 2024");
    // The note being edited stays the one it was.
    EXPECT_EQ(page.currentNote, 0);
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("jęczmień")));
    // Leaving the note for the new one saved it.
    EXPECT_TRUE(FileText(first).contains(QStringLiteral("<p>jęczmień</p></body>")));

    // Cancelled: no row, no file, no item.
    seams::QueueModalHandler([](Dialog&) { return IDCANCEL; });
    page.RunCommand(CZakladkaNotatnik::kNewNote);
    EXPECT_EQ(TheDataStore().Notes().size(), 2u);
    EXPECT_EQ(page.NoteList()->GetItemCount(), 2);
    CDataStore fresh;
    fresh.LoadExtraDb(loft);
    EXPECT_EQ(fresh.Notes().size(), 2u);
}

TEST_F(NotebookTest, WithoutALoftNoNoteIsCreated) {
    CZakladkaNotatnik& page = OpenPage();
    seams::QueueModalHandler(NameTheNote(u"Bez gołębnika"));
    page.RunCommand(CZakladkaNotatnik::kNewNote);
    EXPECT_TRUE(TheDataStore().Notes().empty());
    EXPECT_EQ(page.NoteList()->GetItemCount(), 0);
    EXPECT_TRUE(seams::ModalRuns().empty());
}

TEST_F(NotebookTest, TypedTextIsSavedIntoItsOwnFileWhenAnotherNoteIsChosen) {
    const int loft = AddLoft(u"Północ");
    const int feeding = AddNote(loft, u"Karmienie", QStringLiteral("<p>Rano jęczmień</p>"));
    const int vaccines = AddNote(loft, u"Szczepienia", QStringLiteral("<p>Paramyksowiroza</p>"));
    TheDataStore().LoadExtraDb(loft);
    CZakladkaNotatnik& page = OpenPage();
    ASSERT_EQ(page.currentNote, 0);
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("Rano jęczmień")));

    Type(page, QStringLiteral(" i kukurydza"));
    Click(page, 1);

    // The whole edited page, as the editor holds it, went into the first note's file.
    EXPECT_TRUE(FileText(feeding).contains(QStringLiteral("Rano jęczmień i kukurydza")))
        << FileText(feeding).toStdString();
    EXPECT_TRUE(FileBytes(feeding).startsWith("\xFF\xFE"));
    EXPECT_EQ(FileText(vaccines), QStringLiteral("<p>Paramyksowiroza</p>"));
    EXPECT_EQ(page.currentNote, 1);
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("Paramyksowiroza")));
    EXPECT_FALSE(Shown(page).contains(QStringLiteral("kukurydza")));

    // Back to the first note: its text comes from the file just written.
    Click(page, 0);
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("Rano jęczmień i kukurydza")));
}

// A note reached by the keyboard is chosen as a click chooses it: the open note is saved, the
// highlighted one opens, and "Usuń Notatkę" deletes that one.
TEST_F(NotebookTest, ANoteReachedByTheKeyboardIsTheOneOpenedAndDeleted) {
    const int loft = AddLoft(u"Północ");
    const int first = AddNote(loft, u"Pierwsza", QStringLiteral("<p>jeden</p>"));
    const int second = AddNote(loft, u"Druga", QStringLiteral("<p>dwa</p>"));
    const int third = AddNote(loft, u"Trzecia", QStringLiteral("<p>trzy</p>"));
    TheDataStore().LoadExtraDb(loft);
    CZakladkaNotatnik& page = OpenPage();
    ListView* list = page.NoteList();
    ClickListRow(list, 0);
    Type(page, QStringLiteral(" zmiana"));

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_TRUE(FileText(first).contains(QStringLiteral("jeden zmiana")))
        << FileText(first).toStdString();
    EXPECT_EQ(page.currentNote, 1);
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("dwa")));

    page.RunCommand(CZakladkaNotatnik::kDeleteNote);
    EXPECT_FALSE(QFile::exists(QString::fromStdU16String(NoteFilePath(second))));
    EXPECT_TRUE(QFile::exists(QString::fromStdU16String(NoteFilePath(first))));
    CDataStore fresh;
    fresh.LoadExtraDb(loft);
    ASSERT_EQ(fresh.Notes().size(), 2u);
    EXPECT_EQ(fresh.Notes()[0].id, first);
    EXPECT_EQ(fresh.Notes()[1].id, third);
}

TEST_F(NotebookTest, AfterADeleteNothingIsSavedIntoTheDeletedOrAnyOtherFile) {
    const int loft = AddLoft(u"Północ");
    const int first = AddNote(loft, u"Pierwsza", QStringLiteral("<p>jeden</p>"));
    const int second = AddNote(loft, u"Druga", QStringLiteral("<p>dwa</p>"));
    const int third = AddNote(loft, u"Trzecia", QStringLiteral("<p>trzy</p>"));
    TheDataStore().LoadExtraDb(loft);
    CZakladkaNotatnik& page = OpenPage();

    Click(page, 1);
    Type(page, QStringLiteral(" zmiana"));
    page.RunCommand(CZakladkaNotatnik::kDeleteNote);

    EXPECT_FALSE(QFile::exists(QString::fromStdU16String(NoteFilePath(second))));
    EXPECT_EQ(page.currentNote, -1);
    ASSERT_EQ(TheDataStore().Notes().size(), 2u);
    EXPECT_EQ(TheDataStore().Notes()[1].id, third);
    EXPECT_EQ(page.NoteList()->GetItemText(1, 0), "Trzecia");
    CDataStore fresh;
    fresh.LoadExtraDb(loft);
    ASSERT_EQ(fresh.Notes().size(), 2u);
    EXPECT_EQ(fresh.Notes()[1].id, third);
    // No note stays highlighted; the editor says that none is open and takes no typing.
    EXPECT_EQ(page.NoteList()->GetSelectedCount(), 0);
    EXPECT_FALSE(Shown(page).contains(QStringLiteral("dwa")));
    EXPECT_TRUE(Shown(page).contains(
        QStringLiteral("Żadna notatka nie jest otwarta. Wybierz notatkę z listy albo dodaj nową.")))
        << Shown(page).toStdString();
    EXPECT_FALSE(page.Editor().DesignMode());

    // The new second item is the third note; choosing it saves nothing anywhere.
    Click(page, 1);
    EXPECT_EQ(page.currentNote, 1);
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("trzy")));
    EXPECT_FALSE(QFile::exists(QString::fromStdU16String(NoteFilePath(second))));
    // The first note was saved when it was left for the second, with its own text only.
    EXPECT_TRUE(FileText(first).contains(QStringLiteral("<p>jeden</p></body>")));
    EXPECT_FALSE(FileText(first).contains(QStringLiteral("zmiana")));
    EXPECT_EQ(FileText(third), QStringLiteral("<p>trzy</p>"));

    // Deleting with nothing chosen deletes nothing and says so.
    Click(page, -1);
    page.RunCommand(CZakladkaNotatnik::kDeleteNote);
    EXPECT_EQ(TheDataStore().Notes().size(), 2u);
    EXPECT_EQ(MessageTexts(), QStringList{"Należy wybrać notatkę z listy."});

    // A body that cannot be removed keeps its note, listed, and says so.
    const QString body = QString::fromStdU16String(NoteFilePath(third));
    ASSERT_TRUE(QFile::remove(body));
    ASSERT_TRUE(QDir().mkpath(body + QStringLiteral("/inside")));
    Click(page, 1);
    page.RunCommand(CZakladkaNotatnik::kDeleteNote);
    ASSERT_EQ(seams::MessageBoxCalls().size(), 2u);
    EXPECT_EQ(seams::MessageBoxCalls()[1].text, QStringLiteral("Nie udało się usunąć notatki."));
    EXPECT_EQ(TheDataStore().Notes().size(), 2u);
    EXPECT_EQ(page.NoteList()->GetItemCount(), 2);
    fresh.LoadExtraDb(loft);
    EXPECT_EQ(fresh.Notes().size(), 2u);
}

TEST_F(NotebookTest, AClickBesideTheNotesSavesAndThenTakesNoMoreTyping) {
    const int loft = AddLoft(u"Północ");
    const int only = AddNote(loft, u"Wystawa", QStringLiteral("<p>Klatki</p>"));
    TheDataStore().LoadExtraDb(loft);
    CZakladkaNotatnik& page = OpenPage();
    Type(page, QStringLiteral(" 12"));
    Click(page, -1);
    const QString saved = FileText(only);
    EXPECT_TRUE(saved.contains(QStringLiteral("Klatki 12"))) << saved.toStdString();
    EXPECT_EQ(page.currentNote, -1);
    EXPECT_FALSE(page.Editor().DesignMode());
    // A second click anywhere saves nothing more.
    Click(page, -1);
    EXPECT_EQ(FileText(only), saved);
}

TEST_F(NotebookTest, FormattingButtonsWorkOnTheSelection) {
    const int loft = AddLoft(u"Północ");
    const int note = AddNote(loft, u"Plan", QStringLiteral("<p>Lot z Opola</p>"));
    TheDataStore().LoadExtraDb(loft);
    CZakladkaNotatnik& page = OpenPage();
    ASSERT_TRUE(page.Editor().WaitForDocument());
    auto selectAll = [&] {
        page.Editor().RunScript(QStringLiteral(
            "var r = document.createRange(); r.selectNodeContents(document.body.firstChild);"
            "getSelection().removeAllRanges(); getSelection().addRange(r); true"));
    };
    selectAll();
    page.RunCommand(CZakladkaNotatnik::kFontSize1);  // "1" is the largest
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("size=\"6\""))) << Shown(page).toStdString();
    selectAll();
    page.RunCommand(CZakladkaNotatnik::kFontSize5);  // "5" the smallest
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("size=\"2\"")));
    selectAll();
    page.RunCommand(CZakladkaNotatnik::kBold);
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("<b>")));
    page.RunCommand(CZakladkaNotatnik::kHorizontalLine);
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("<hr>")));

    // "Drukuj" prints the note as edited; "Zapisz" writes a copy where the user says, and the
    // note's own file is left for the saving rules.
    const QByteArray before = FileBytes(note);
    const QString pdf = QDir(folder_.path()).filePath(QStringLiteral("notatka.pdf"));
    seams::SetPrintToPdf(pdf);
    page.RunCommand(CZakladkaNotatnik::kPrint);
    seams::SetPrintToPdf({});
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().startsWith("%PDF"));
    const QString copy = QDir(folder_.path()).filePath(QStringLiteral("kopia.html"));
    seams::ScriptPaths({copy});
    page.RunCommand(CZakladkaNotatnik::kSave);
    QFile saved(copy);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray copied = saved.readAll();
    ASSERT_TRUE(copied.startsWith("\xFF\xFE"));
    EXPECT_TRUE(QString::fromUtf16(reinterpret_cast<const char16_t*>(copied.constData() + 2),
                                   (copied.size() - 2) / 2)
                    .contains(QStringLiteral("<hr>")));
    EXPECT_EQ(FileBytes(note), before);
}

// ---- in the main window ---------------------------------------------------------------------

TEST_F(NotebookTest, ChangingLoftSavesTheNoteIntoItsOwnFileAndListsTheNewLoftsNotes) {
    const int north = AddLoft(u"Północ");
    const int south = AddLoft(u"Południe");
    const int feeding = AddNote(north, u"Karmienie", QStringLiteral("<p>północ</p>"));
    const int show = AddNote(south, u"Wystawa", QStringLiteral("<p>południe</p>"));
    CMainDialog& dialog = Open();
    CZakladkaNotatnik& page = *dialog.NotebookPage();
    ShowPageOfMainWindow(900);
    ASSERT_TRUE(page.isVisible());
    ASSERT_EQ(page.currentNote, 0);
    Type(page, QStringLiteral(" karma"));

    dialog.LoftCombo()->SetCurSel(1);
    dialog.Fire(CMainDialog::kLoftCombo, Notification::SelChange);

    EXPECT_TRUE(FileText(feeding).contains(QStringLiteral("północ karma")));
    EXPECT_EQ(FileText(show), QStringLiteral("<p>południe</p>"));
    ASSERT_EQ(page.NoteList()->GetItemCount(), 1);
    EXPECT_EQ(page.NoteList()->GetItemText(0, 0), "Wystawa");
    EXPECT_EQ(page.currentNote, -1);
    EXPECT_FALSE(Shown(page).contains(QStringLiteral("karma")));

    // Choosing the new loft's note saves nothing into it, and the old note stays as saved.
    const QString feedingSaved = FileText(feeding);
    Click(page, 0);
    EXPECT_EQ(FileText(show), QStringLiteral("<p>południe</p>"));
    EXPECT_EQ(FileText(feeding), feedingSaved);
    EXPECT_TRUE(Shown(page).contains(QStringLiteral("południe")));
}

TEST_F(NotebookTest, GoingToAnotherPageOrClosingTheProgramSavesTheNote) {
    const int loft = AddLoft(u"Północ");
    const int note = AddNote(loft, u"Karmienie", QStringLiteral("<p>Rano</p>"));
    CMainDialog& dialog = Open();
    CZakladkaNotatnik& page = *dialog.NotebookPage();
    ShowPageOfMainWindow(900);
    Type(page, QStringLiteral(" woda"));
    ShowPageOfMainWindow(200);  // the start page
    EXPECT_TRUE(FileText(note).contains(QStringLiteral("Rano woda")));

    ShowPageOfMainWindow(900);
    EXPECT_EQ(page.currentNote, 0);  // still the note being edited
    Type(page, QStringLiteral(" wieczorem"));
    dialog.RunCommand(kCmdExit);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_TRUE(FileText(note).contains(QStringLiteral("Rano woda wieczorem")));
}

}  // namespace
