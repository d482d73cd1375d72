// The bird editor's further pages: notes kept per slot, pedigree notes, and the photos, documents
// and treatments that are stored at once (row and file together) whatever the editor's end.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "ControlKinds.h"
#include "DataStore.h"
#include "Dialog.h"
#include "DodajGolebia.h"
#include "DodajGolebiaTab1.h"
#include "DodajGolebiaTab2.h"
#include "DodajGolebiaTab3.h"
#include "DodajGolebiaTab4.h"
#include "DodajGolebiaTab5.h"
#include "DodajGolebiaTab6.h"
#include "DodajGolebiaTabCtrl.h"
#include "Globals.h"
#include "KategoriaZdjecia.h"
#include "LeczenieSuplementacjaDodajZmien.h"
#include "ListView.h"
#include "Places.h"
#include "PictureBox.h"
#include "PodgladZdjec.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"

namespace {

// Tabs of the pages under test, in the order the user sees them.
constexpr int kNotesTab = 1;
constexpr int kDocumentsTab = 2;
constexpr int kTreatmentsTab = 3;
constexpr int kPhotosTab = 4;
constexpr int kPedigreeTab = 5;

template <class Page>
Page& PageOf(CDodajGolebia& editor, int tab) {
    auto* page = qobject_cast<Page*>(editor.TabCtrl()->PageAt(tab));
    EXPECT_NE(page, nullptr) << "tab " << tab;
    return *page;
}

// What the bird file holds, read by a store of its own.
PigeonRecord StoredBird(int id) {
    CDataStore fresh;
    fresh.LoadLofts();
    fresh.LoadPigeonsDb(-1);
    const auto bird = fresh.Pigeons().find(id);
    return bird == fresh.Pigeons().end() ? PigeonRecord{} : bird->second;
}

void ChooseRow(Dialog& page, int listId, int row) {
    page.List(listId)->SelectRow(row);
    page.Fire(listId, Notification::Clicked);
}

QStringList ListTexts(const ListView& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.GetItemCount(); ++row) texts << list.GetItemText(row, column);
    return texts;
}

class BirdEditorPagesTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WindowTest::SetUp());
        ASSERT_TRUE(files_.isValid());
        CDataStore& store = TheDataStore();
        loftId_ = AddLoft(u"Gołębnik");
        AddCategory(loftId_, u"Lotniki");
        store.LoadLofts();
        g_currentLoftIndex = store.FindLoftIndex(loftId_);
        g_currentCategoryIndex = 0;

        PigeonRecord bird;
        bird.kraj = u"PL";
        bird.oddzial = u"0123";
        bird.rocznik = u"24";
        bird.nr_obraczki = u"4711";
        bird.id_hodowli = loftId_;
        bird.notatkiogolne = u"ogólne";
        bird.notatkicechywygladu = u"wygląd";
        bird.notatkiproblemy = u"problemy";
        bird.notatkichoroby = u"choroby";
        bird.NotatkaRodowodowa0 = u"własna";
        bird.NotatkaRodowodowa1 = u"ojciec";
        bird.genotyp = u"Aa";
        ASSERT_TRUE(store.WritePigeon(WriteMode::Insert, bird));
        birdId_ = bird.id;
    }

    using Act = std::function<void(CDodajGolebia&)>;

    // Opens the editor on the stored bird; `act` plays the user; the run ends as `act` leaves it
    // (Cancel when it pressed nothing).
    int RunEdit(const Act& act) {
        CDodajGolebia editor;
        editor.mode = EditorMode::Edit;
        editor.record = TheDataStore().Pigeons().at(birdId_);
        seams::QueueModalHandler([&act](Dialog& dialog) {
            act(static_cast<CDodajGolebia&>(dialog));
            return IDCANCEL;
        });
        const int result = editor.DoModal();
        lastRecord_ = editor.record;
        return result;
    }

    int RunAdd(const Act& act) {
        CDodajGolebia editor;
        editor.mode = EditorMode::Add;
        editor.showKeepOpenBox = 1;
        seams::QueueModalHandler([&act](Dialog& dialog) {
            act(static_cast<CDodajGolebia&>(dialog));
            return IDCANCEL;
        });
        const int result = editor.DoModal();
        lastRecord_ = editor.record;
        return result;
    }

    // A small picture file of the user's, outside the install folder.
    QString UserPicture(const QString& name, QRgb colour = 0xff2080c0) {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = files_.filePath(name);
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }

    QString UserDocument(const QString& name, const QByteArray& bytes) {
        const QString path = files_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QString StoredPhotoPath(PhotoRecord photo) {
        return QString::fromStdU16String(photo.GetFilePath());
    }
    static QString StoredDocumentPath(DocumentRecord document) {
        return QString::fromStdU16String(document.GetFilePath());
    }

    // Adds photos through the page as the user would.
    static void AddPhotos(CDodajGolebiaTab3& page, const std::vector<QString>& paths) {
        for (const QString& path : paths) {
            seams::ScriptPaths({path});
            page.RunCommand(CDodajGolebiaTab3::kAddPhoto);
        }
    }

    QTemporaryDir files_;
    int loftId_ = 0;
    int birdId_ = 0;
    PigeonRecord lastRecord_;
};

// ---- notes ------------------------------------------------------------------------------------

TEST_F(BirdEditorPagesTest, NoteSlotsKeepTheirTextWhenSwitchingAndReachTheFileOnOk) {
    ASSERT_EQ(RunEdit([](CDodajGolebia& editor) {
                  auto& notes = PageOf<CDodajGolebiaTab2>(editor, kNotesTab);
                  EXPECT_EQ(notes.ItemText(CDodajGolebiaTab2::kNoteEdit), u"ogólne");
                  notes.SetItemText(CDodajGolebiaTab2::kNoteEdit, u"ogólne nowe");
                  notes.RunCommand(CDodajGolebiaTab2::kAppearanceButton);
                  EXPECT_EQ(notes.ItemText(CDodajGolebiaTab2::kNoteEdit), u"wygląd");
                  notes.SetItemText(CDodajGolebiaTab2::kNoteEdit, u"biała lotka");
                  notes.RunCommand(CDodajGolebiaTab2::kIllnessesButton);
                  EXPECT_EQ(notes.ItemText(CDodajGolebiaTab2::kNoteEdit), u"choroby");
                  notes.RunCommand(CDodajGolebiaTab2::kGeneralButton);
                  EXPECT_EQ(notes.ItemText(CDodajGolebiaTab2::kNoteEdit), u"ogólne nowe");
                  notes.RunCommand(CDodajGolebiaTab2::kProblemsButton);
                  // Typed last and never switched away from: still stored.
                  notes.SetItemText(CDodajGolebiaTab2::kNoteEdit, u"kuleje");
                  EXPECT_EQ(notes.ItemText(CDodajGolebiaTab2::kGenotype), u"Aa");
                  EXPECT_EQ(notes.ItemText(CDodajGolebiaTab2::kPhenotype), u"");
                  notes.SetItemText(CDodajGolebiaTab2::kGenotype, u"AA");
                  notes.SetItemText(CDodajGolebiaTab2::kPhenotype, u"niebieski pasiasty");
                  editor.RunCommand(IDOK);
              }),
              IDOK);
    const PigeonRecord stored = StoredBird(birdId_);
    EXPECT_EQ(stored.notatkiogolne, u"ogólne nowe");
    EXPECT_EQ(stored.notatkicechywygladu, u"biała lotka");
    EXPECT_EQ(stored.notatkiproblemy, u"kuleje");
    EXPECT_EQ(stored.notatkichoroby, u"choroby");
    EXPECT_EQ(stored.genotyp, u"AA");
    EXPECT_EQ(stored.fenotyp, u"niebieski pasiasty");
}

TEST_F(BirdEditorPagesTest, NotesOfANewBirdAreStoredWithIt) {
    RunAdd([](CDodajGolebia& editor) {
        auto& notes = PageOf<CDodajGolebiaTab2>(editor, kNotesTab);
        EXPECT_EQ(notes.ItemText(CDodajGolebiaTab2::kNoteEdit), u"");
        notes.SetItemText(CDodajGolebiaTab2::kNoteEdit, u"spokojny");
        notes.RunCommand(CDodajGolebiaTab2::kIllnessesButton);
        notes.SetItemText(CDodajGolebiaTab2::kNoteEdit, u"paratyfus 2023");
        notes.SetItemText(CDodajGolebiaTab2::kPhenotype, u"czerwony");
        editor.RunCommand(IDOK);
    });
    ASSERT_GT(lastRecord_.id, 0);
    const PigeonRecord stored = StoredBird(lastRecord_.id);
    EXPECT_EQ(stored.notatkiogolne, u"spokojny");
    EXPECT_EQ(stored.notatkichoroby, u"paratyfus 2023");
    EXPECT_EQ(stored.notatkicechywygladu, u"");
    EXPECT_EQ(stored.fenotyp, u"czerwony");
}

TEST_F(BirdEditorPagesTest, CancelledNotesAreNotStored) {
    RunEdit([](CDodajGolebia& editor) {
        auto& notes = PageOf<CDodajGolebiaTab2>(editor, kNotesTab);
        notes.SetItemText(CDodajGolebiaTab2::kNoteEdit, u"zmienione");
        PageOf<CDodajGolebiaTab6>(editor, kPedigreeTab)
            .SetItemText(CDodajGolebiaTab6::kGeneration1, u"zmienione");
        editor.RunCommand(IDCANCEL);
    });
    const PigeonRecord stored = StoredBird(birdId_);
    EXPECT_EQ(stored.notatkiogolne, u"ogólne");
    EXPECT_EQ(stored.NotatkaRodowodowa1, u"ojciec");
}

// ---- pedigree notes ---------------------------------------------------------------------------

TEST_F(BirdEditorPagesTest, PedigreeNotesAreShownAndStoredInTheirGenerations) {
    RunEdit([](CDodajGolebia& editor) {
        auto& page = PageOf<CDodajGolebiaTab6>(editor, kPedigreeTab);
        EXPECT_EQ(page.ItemText(CDodajGolebiaTab6::kGeneration1), u"ojciec");
        EXPECT_EQ(page.ItemText(CDodajGolebiaTab6::kBirdNote), u"własna");
        page.SetItemText(CDodajGolebiaTab6::kGeneration1, u"po 'Asie' z 2019");
        page.SetItemText(CDodajGolebiaTab6::kGeneration2, u"dziadek");
        page.SetItemText(CDodajGolebiaTab6::kGeneration3, u"pradziadek");
        page.SetItemText(CDodajGolebiaTab6::kGeneration4, u"prapradziadek");
        page.SetItemText(CDodajGolebiaTab6::kBirdNote, u"as\nsprinter");
        editor.RunCommand(IDOK);
    });
    const PigeonRecord stored = StoredBird(birdId_);
    EXPECT_EQ(stored.NotatkaRodowodowa1, u"po 'Asie' z 2019");
    EXPECT_EQ(stored.NotatkaRodowodowa2, u"dziadek");
    EXPECT_EQ(stored.NotatkaRodowodowa3, u"pradziadek");
    EXPECT_EQ(stored.NotatkaRodowodowa4, u"prapradziadek");
    EXPECT_EQ(stored.NotatkaRodowodowa0, u"as\nsprinter");
}

// ---- photos -----------------------------------------------------------------------------------

TEST_F(BirdEditorPagesTest, APhotoIsStoredWithItsFileAtOnceAndStaysAfterCancel) {
    const QString source = UserPicture(QStringLiteral("głowa.png"));
    RunEdit([&](CDodajGolebia& editor) {
        auto& page = PageOf<CDodajGolebiaTab3>(editor, kPhotosTab);
        seams::ScriptPaths({source});
        page.RunCommand(CDodajGolebiaTab3::kAddPhoto);
        ASSERT_EQ(seams::ChooserCalls().size(), 1u);
        EXPECT_EQ(seams::ChooserCalls()[0].filter,
                  QString::fromStdU16String(CDodajGolebiaTab3::kOpenFilter));
        EXPECT_EQ(ListTexts(*page.PhotoList(), 0), QStringList{QStringLiteral("Zdjęcie")});
        editor.RunCommand(IDCANCEL);
    });
    ASSERT_EQ(lastRecord_.photos.size(), 1u);
    const PhotoRecord added = lastRecord_.photos[0];
    EXPECT_GT(added.id, 0);

    const PigeonRecord stored = StoredBird(birdId_);
    ASSERT_EQ(stored.photos.size(), 1u);
    EXPECT_EQ(stored.photos[0].id, added.id);
    EXPECT_EQ(stored.photos[0].opis1, u"głowa.png");
    EXPECT_EQ(stored.photos[0].rozszerzenie, u"png");
    EXPECT_EQ(stored.photos[0].id_hodowli, loftId_);
    EXPECT_EQ(stored.photos[0].classify1, 0);
    // The file was copied under the images folder, byte for byte.
    QFile copy(StoredPhotoPath(stored.photos[0]));
    QFile original(source);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), original.readAll());
    // The program's own copy of the bird knows the photo after the cancelled editor too.
    EXPECT_EQ(TheDataStore().Pigeons().at(birdId_).photos.size(), 1u);
}

TEST_F(BirdEditorPagesTest, APhotoThatCannotBeStoredIsReportedAndNotListed) {
    RunEdit([&](CDodajGolebia& editor) {
        auto& page = PageOf<CDodajGolebiaTab3>(editor, kPhotosTab);
        seams::ScriptPaths({files_.filePath(QStringLiteral("nie-ma.png"))});
        page.RunCommand(CDodajGolebiaTab3::kAddPhoto);
        EXPECT_EQ(page.PhotoList()->GetItemCount(), 0);
        ASSERT_EQ(seams::MessageBoxCalls().size(), 1u);
        EXPECT_TRUE(seams::MessageBoxCalls()[0].text.startsWith(QStringLiteral("Nie udało się dodać zdjęcia")));
        // Cancelling the file chooser does nothing at all.
        page.RunCommand(CDodajGolebiaTab3::kAddPhoto);
        EXPECT_EQ(seams::MessageBoxCalls().size(), 1u);
        editor.RunCommand(IDOK);
    });
    EXPECT_TRUE(lastRecord_.photos.empty());
    EXPECT_TRUE(StoredBird(birdId_).photos.empty());
    EXPECT_TRUE(QDir(QString::fromStdU16String(ImagesFolder())).isEmpty(QDir::Files));
}

TEST_F(BirdEditorPagesTest, DeletingAPhotoRemovesRowAndFileOfTheHighlightedPhotoOnly) {
    const QString first = UserPicture(QStringLiteral("a.png"), 0xffff0000);
    const QString second = UserPicture(QStringLiteral("b.png"), 0xff00ff00);
    const QString third = UserPicture(QStringLiteral("c.png"), 0xff0000ff);
    std::vector<PhotoRecord> added;
    RunEdit([&](CDodajGolebia& editor) {
        auto& page = PageOf<CDodajGolebiaTab3>(editor, kPhotosTab);
        AddPhotos(page, {first, second, third});
        added = editor.record.photos;
        ASSERT_EQ(added.size(), 3u);

        // Nothing chosen: nothing deleted.
        page.RunCommand(CDodajGolebiaTab3::kDeletePhoto);
        EXPECT_EQ(editor.record.photos.size(), 3u);

        ChooseRow(page, CDodajGolebiaTab3::kPhotoList, 0);
        EXPECT_TRUE(page.Picture()->HasImage());
        // The user moves on with the keys: the highlighted photo is the one deleted.
        page.PhotoList()->SelectRow(1);
        EXPECT_EQ(page.selectedPhoto, 1);
        page.RunCommand(CDodajGolebiaTab3::kDeletePhoto);
        EXPECT_EQ(page.selectedPhoto, -1);
        EXPECT_EQ(page.PhotoList()->GetItemCount(), 2);
        editor.RunCommand(IDCANCEL);
    });
    ASSERT_EQ(lastRecord_.photos.size(), 2u);
    EXPECT_EQ(lastRecord_.photos[0].id, added[0].id);
    EXPECT_EQ(lastRecord_.photos[1].id, added[2].id);

    const PigeonRecord stored = StoredBird(birdId_);
    ASSERT_EQ(stored.photos.size(), 2u);
    EXPECT_EQ(stored.photos[0].id, added[0].id);
    EXPECT_EQ(stored.photos[1].id, added[2].id);
    EXPECT_TRUE(QFileInfo::exists(StoredPhotoPath(added[0])));
    EXPECT_FALSE(QFileInfo::exists(StoredPhotoPath(added[1])));
    EXPECT_TRUE(QFileInfo::exists(StoredPhotoPath(added[2])));
}

TEST_F(BirdEditorPagesTest, ANewBirdGetsPhotosDocumentsAndTreatmentsOnlyOnceStored) {
    const QString picture = UserPicture(QStringLiteral("a.png"));
    RunAdd([&](CDodajGolebia& editor) {
        auto& photos = PageOf<CDodajGolebiaTab3>(editor, kPhotosTab);
        auto& documents = PageOf<CDodajGolebiaTab4>(editor, kDocumentsTab);
        auto& treatments = PageOf<CDodajGolebiaTab5>(editor, kTreatmentsTab);
        seams::ScriptPaths({picture, picture});
        photos.RunCommand(CDodajGolebiaTab3::kAddPhoto);
        documents.RunCommand(CDodajGolebiaTab4::kAddDocument);
        treatments.RunCommand(CDodajGolebiaTab5::kAdd);
        EXPECT_TRUE(seams::ChooserCalls().empty());
        EXPECT_TRUE(seams::ModalRuns().empty());

        // Saved with the window kept open: the bird has an id and takes a photo.
        editor.CheckDlgButton(CDodajGolebia::kKeepOpenBox, 1);
        editor.RunCommand(IDOK);
        ASSERT_GT(editor.record.id, 0);
        photos.RunCommand(CDodajGolebiaTab3::kAddPhoto);
        EXPECT_EQ(photos.PhotoList()->GetItemCount(), 1);
        const int firstBird = editor.record.id;

        // The next bird added starts with an empty album; the photo stays with the first one.
        editor.RunCommand(IDOK);
        EXPECT_NE(editor.record.id, firstBird);
        EXPECT_EQ(photos.PhotoList()->GetItemCount(), 0);
        EXPECT_EQ(StoredBird(firstBird).photos.size(), 1u);
        EXPECT_EQ(TheDataStore().Pigeons().at(firstBird).photos.size(), 1u);
        editor.RunCommand(IDCANCEL);
    });
}

TEST_F(BirdEditorPagesTest, PhotoKindIsAskedForTheChosenPhotoAndStored) {
    const QString picture = UserPicture(QStringLiteral("oko.png"));
    RunEdit([&](CDodajGolebia& editor) {
        auto& page = PageOf<CDodajGolebiaTab3>(editor, kPhotosTab);
        // No photo chosen: nothing opens.
        page.RunCommand(CDodajGolebiaTab3::kPhotoCategory);
        EXPECT_TRUE(seams::ModalRuns().empty());

        AddPhotos(page, {picture});
        ChooseRow(page, CDodajGolebiaTab3::kPhotoList, 0);
        seams::QueueModalHandler([](Dialog& kind) {
            kind.RunCommand(CKategoriaZdjecia::kEye);
            return IDOK;
        });
        page.RunCommand(CDodajGolebiaTab3::kPhotoCategory);
        page.RunCommand(CDodajGolebiaTab3::kPhotoCategory);  // cancelled by the seam
        EXPECT_EQ(MessageTexts(), (QStringList{QStringLiteral("Obecnie normalne zdjęcie"),
                                               QStringLiteral("Obecnie zdjęcie oka gołębia")}));
        editor.RunCommand(IDCANCEL);
    });
    const PigeonRecord stored = StoredBird(birdId_);
    ASSERT_EQ(stored.photos.size(), 1u);
    EXPECT_EQ(stored.photos[0].classify1, 1);
}

TEST_F(BirdEditorPagesTest, TheViewerStartsWithThePhotoChosenAndKeepsTheOrder) {
    const QString a = UserPicture(QStringLiteral("a.png"));
    const QString b = UserPicture(QStringLiteral("b.png"));
    const QString c = UserPicture(QStringLiteral("c.png"));
    std::vector<int> shown;
    std::vector<int> added;
    RunEdit([&](CDodajGolebia& editor) {
        auto& page = PageOf<CDodajGolebiaTab3>(editor, kPhotosTab);
        AddPhotos(page, {a, b, c});
        for (const PhotoRecord& photo : editor.record.photos) added.push_back(photo.id);
        ChooseRow(page, CDodajGolebiaTab3::kPhotoList, 1);
        seams::QueueModalHandler([&shown](Dialog& dialog) {
            for (const PhotoRecord& photo : static_cast<CPodgladZdjec&>(dialog).photos)
                shown.push_back(photo.id);
            return IDCANCEL;
        });
        page.Fire(CDodajGolebiaTab3::kPhotoList, Notification::DoubleClick);
        editor.RunCommand(IDCANCEL);
    });
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(shown, (std::vector<int>{added[1], added[2], added[0]}));
}

// ---- documents --------------------------------------------------------------------------------

TEST_F(BirdEditorPagesTest, DocumentsAreStoredOpenedAndDeletedWithTheirFiles) {
    const QString certificate = UserDocument(QStringLiteral("świadectwo.pdf"), "%PDF-1.4 test");
    const QString invoice = UserDocument(QStringLiteral("faktura.doc"), "faktura");
    std::vector<DocumentRecord> added;
    RunEdit([&](CDodajGolebia& editor) {
        auto& page = PageOf<CDodajGolebiaTab4>(editor, kDocumentsTab);
        seams::ScriptPaths({certificate, invoice});
        page.RunCommand(CDodajGolebiaTab4::kAddDocument);
        page.RunCommand(CDodajGolebiaTab4::kAddDocument);
        EXPECT_EQ(seams::ChooserCalls().at(0).filter,
                  QString::fromStdU16String(CDodajGolebiaTab4::kOpenFilter));
        EXPECT_EQ(ListTexts(*page.DocumentList(), 1),
                  (QStringList{QStringLiteral("świadectwo.pdf"), QStringLiteral("faktura.doc")}));
        added = editor.record.documents;
        // The stored bird knows its documents at once.
        EXPECT_EQ(TheDataStore().Pigeons().at(birdId_).documents.size(), 2u);

        // Nothing chosen: opening does nothing, deleting says so.
        page.RunCommand(CDodajGolebiaTab4::kOpenDocument);
        EXPECT_TRUE(seams::OpenedDocuments().empty());
        page.RunCommand(CDodajGolebiaTab4::kDeleteDocument);
        EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("Musisz wybrać dokument")});

        ChooseRow(page, CDodajGolebiaTab4::kDocumentList, 1);
        page.RunCommand(CDodajGolebiaTab4::kOpenDocument);
        ASSERT_EQ(seams::OpenedDocuments().size(), 1u);
        EXPECT_EQ(seams::OpenedDocuments()[0], StoredDocumentPath(added[1]));

        ChooseRow(page, CDodajGolebiaTab4::kDocumentList, 0);
        page.RunCommand(CDodajGolebiaTab4::kDeleteDocument);
        EXPECT_EQ(page.selectedDocument, -1);
        EXPECT_EQ(ListTexts(*page.DocumentList(), 1), QStringList{QStringLiteral("faktura.doc")});
        editor.RunCommand(IDOK);
    });
    ASSERT_EQ(added.size(), 2u);
    const PigeonRecord stored = StoredBird(birdId_);
    ASSERT_EQ(stored.documents.size(), 1u);
    EXPECT_EQ(stored.documents[0].id, added[1].id);
    EXPECT_EQ(stored.documents[0].nazwa, u"faktura.doc");
    EXPECT_EQ(stored.documents[0].rozszerzenie, u"doc");
    EXPECT_EQ(stored.documents[0].id_wlasciciela, birdId_);
    EXPECT_FALSE(QFileInfo::exists(StoredDocumentPath(added[0])));
    QFile kept(StoredDocumentPath(added[1]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("faktura"));
    EXPECT_EQ(TheDataStore().Pigeons().at(birdId_).documents.size(), 1u);
}

// ---- treatments -------------------------------------------------------------------------------

// Answers the treatment editor: types the name, picks the kind and confirms.
seams::ModalHandler FillTreatment(const std::u16string& name, int kind,
                                  const char16_t* day = nullptr) {
    return [name, kind, day](Dialog& dialog) {
        dialog.SetItemText(CLeczenieSuplementacjaDodajZmien::kName, name);
        dialog.Combo(CLeczenieSuplementacjaDodajZmien::kKind)->SetCurSel(kind);
        if (day) dialog.SetItemText(CLeczenieSuplementacjaDodajZmien::kDay, day);
        dialog.RunCommand(IDOK);
        return IDCANCEL;
    };
}

TEST_F(BirdEditorPagesTest, TreatmentsAreStoredAtOnceAndEditedByTheirRow) {
    // A treatment stored earlier: kind 2 given at 14:05 on 3 March 2012.
    TreatmentRecord earlier;
    earlier.id_golebia = birdId_;
    earlier.nazwa = u"Baytril";
    earlier.kategoria = 2;
    earlier.dawka = u"1 ml";
    earlier.data_podania = *MakeLocalTime(3, 3, 2012, 14, 5, 0);
    ASSERT_TRUE(TheDataStore().WriteTreatment(WriteMode::Insert, earlier));

    RunEdit([&](CDodajGolebia& editor) {
        auto& page = PageOf<CDodajGolebiaTab5>(editor, kTreatmentsTab);
        ListView& list = *page.TreatmentList();
        ASSERT_EQ(list.GetItemCount(), 1);
        EXPECT_EQ(list.GetItemText(0, 1), QStringLiteral("Baytril"));
        EXPECT_EQ(list.GetItemText(0, 2), QStringLiteral("03/03/12, 14:05"));
        EXPECT_EQ(list.GetItemText(0, 3), QStringLiteral("Lek"));
        EXPECT_EQ(list.GetItemText(0, 4), QStringLiteral("1 ml"));

        seams::QueueModalHandler(FillTreatment(u"Paramyxo", 1));
        page.RunCommand(CDodajGolebiaTab5::kAdd);
        seams::QueueModalHandler(FillTreatment(u"Witaminy", 3));
        page.RunCommand(CDodajGolebiaTab5::kAdd);
        // A cancelled editor adds nothing.
        page.RunCommand(CDodajGolebiaTab5::kAdd);
        EXPECT_EQ(ListTexts(list, 1), (QStringList{QStringLiteral("Baytril"),
                                                   QStringLiteral("Paramyxo"),
                                                   QStringLiteral("Witaminy")}));
        EXPECT_EQ(list.GetItemText(1, 3), QStringLiteral("Szczepionka"));

        // The second row goes; the new second row is the third treatment.
        ChooseRow(page, CDodajGolebiaTab5::kTreatmentList, 1);
        page.RunCommand(CDodajGolebiaTab5::kDelete);
        EXPECT_EQ(page.selectedTreatment, -1);
        page.RunCommand(CDodajGolebiaTab5::kEdit);  // nothing chosen: nothing opens
        ChooseRow(page, CDodajGolebiaTab5::kTreatmentList, 1);
        seams::QueueModalHandler([](Dialog& dialog) {
            EXPECT_EQ(dialog.ItemText(CLeczenieSuplementacjaDodajZmien::kName), u"Witaminy");
            dialog.SetItemText(CLeczenieSuplementacjaDodajZmien::kDose, u"2 krople");
            dialog.RunCommand(IDOK);
            return IDCANCEL;
        });
        page.RunCommand(CDodajGolebiaTab5::kEdit);
        EXPECT_EQ(list.GetItemText(1, 4), QStringLiteral("2 krople"));
        editor.RunCommand(IDCANCEL);
    });
    const PigeonRecord stored = StoredBird(birdId_);
    ASSERT_EQ(stored.treatments.size(), 2u);
    EXPECT_EQ(stored.treatments[0].nazwa, u"Baytril");
    EXPECT_EQ(stored.treatments[1].nazwa, u"Witaminy");
    EXPECT_EQ(stored.treatments[1].dawka, u"2 krople");
    EXPECT_EQ(stored.treatments[1].kategoria, 3);
    EXPECT_EQ(stored.treatments[1].id_golebia, birdId_);
    EXPECT_EQ(TheDataStore().Pigeons().at(birdId_).treatments.size(), 2u);
}

}  // namespace

// ---- keys -------------------------------------------------------------------------------------

namespace {

// Presses Enter and then Escape in every list, field and combo of every page, each page shown
// as the user would see it; answers how many controls were tried.
int PressEnterAndEscapeOnEveryPage(CDodajGolebia& editor) {
    int tried = 0;
    for (int tab = 0; tab < CDodajGolebiaTabCtrl::kPageCount; ++tab) {
        editor.TabCtrl()->SelectTab(tab);
        CDodajGolebiaPage* page = editor.TabCtrl()->PageAt(tab);
        for (QWidget* control : page->findChildren<QWidget*>()) {
            const bool takesKeys = qobject_cast<QLineEdit*>(control) ||
                                   qobject_cast<QAbstractItemView*>(control) ||
                                   qobject_cast<QComboBox*>(control) ||
                                   qobject_cast<QPlainTextEdit*>(control);
            // Combo drop-downs are windows of their own.
            if (!takesKeys || control->window() != &editor || !control->isVisibleTo(page)) continue;
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            QTest::keyClick(control, Qt::Key_Escape);
            ++tried;
            if (editor.HasEnded()) return tried;
        }
    }
    return tried;
}

std::size_t BirdsOnDisk() {
    CDataStore fresh;
    fresh.LoadLofts();
    fresh.LoadPigeonsDb(-1);
    return fresh.Pigeons().size();
}

}  // namespace

TEST_F(BirdEditorPagesTest, EnterAndEscapeOnThePagesNeitherSaveNorCloseNorAddBirds) {
    RunEdit([&](CDodajGolebia& editor) {
        editor.show();
        editor.TabCtrl()->Tab1()->SetDlgItemText(CDodajGolebiaTab1::kName, QStringLiteral("Nowa"));
        EXPECT_GE(PressEnterAndEscapeOnEveryPage(editor), 12);
        EXPECT_FALSE(editor.HasEnded());
        EXPECT_EQ(editor.TabCtrl()->Tab1()->GetDlgItemText(CDodajGolebiaTab1::kName),
                  QStringLiteral("Nowa"));
    });
    EXPECT_EQ(StoredBird(birdId_).nazwa, u"");  // the half-typed name was not saved

    // With "keep the window open" ticked each Enter used to add another identical bird.
    RunAdd([&](CDodajGolebia& editor) {
        editor.show();
        editor.CheckDlgButton(CDodajGolebia::kKeepOpenBox, 1);
        editor.TabCtrl()->Tab1()->SetDlgItemText(CDodajGolebiaTab1::kRing, QStringLiteral("5150"));
        PressEnterAndEscapeOnEveryPage(editor);
        EXPECT_FALSE(editor.HasEnded());
    });
    EXPECT_EQ(BirdsOnDisk(), 1u);
    EXPECT_TRUE(seams::MessageBoxCalls().empty());
}
