// Pedigree pages: the ancestors' heap order, the placeholder words and their order, the files
// the pages are written to, every bundled layout printed through the browser engine, and the
// pedigree print window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "BundledFiles.h"
#include "DataStore.h"
#include "DrukujRodowodGolebia.h"
#include "PedigreeTemplateText.h"
#include "PictureBox.h"
#include "PodgladHTML.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowTestSupport.h"

namespace {

Text Ring(int slot) { return u"R" + NumberText(slot); }

// Writes the birds through the store in the order given, each taking the next id, which must be
// its own; the parents follow once every bird they name exists.
void StoreBirds(CDataStore& store, const std::vector<PigeonRecord>& birds) {
    for (const PigeonRecord& bird : birds) {
        PigeonRecord row = bird;
        row.id_ojca = row.id_matki = 0;
        ASSERT_TRUE(store.WritePigeon(WriteMode::Insert, row));
        ASSERT_EQ(row.id, bird.id);
    }
    for (PigeonRecord bird : birds) {
        if (bird.id_ojca != 0 || bird.id_matki != 0) {
            ASSERT_TRUE(store.WritePigeon(WriteMode::Update, bird));
        }
    }
}

// One stored bird changed through the store.
template <class Change>
void ChangeStoredBird(CDataStore& store, int id, Change change) {
    PigeonRecord bird = store.FindPigeon(id);
    change(bird);
    ASSERT_TRUE(store.WritePigeon(WriteMode::Update, bird));
}

// Five generations in heap order: bird id = slot + 1, ring "PL 7 21 R<slot>", colour, breed and
// breeder by slot, a note of `noteLines` lines in every generation.
void FiveGenerations(CDataStore& store, int noteLines = 3) {
    ASSERT_TRUE(store.LoadExtraDb(0));  // the dictionaries, with id 0 showing as one blank
    PersonRecord breeder;
    breeder.imie = u"Anna";
    breeder.nazwisko = u"Nowak";
    ASSERT_TRUE(store.WriteBreeder(WriteMode::Insert, breeder));
    std::vector<PigeonRecord> birds;
    for (int slot = 0; slot < kPedigreeSlotCount; ++slot) {
        PigeonRecord bird;
        bird.id = slot + 1;
        bird.kraj = u"PL";
        bird.oddzial = u"7";
        bird.rocznik = u"21";
        bird.nr_obraczki = Ring(slot);
        bird.nazwa = u"Ptak " + NumberText(slot);
        ASSERT_TRUE(store.AddColour(0, u"kolor " + NumberText(slot)));
        bird.id_koloru = NewestId(store.ColourNames());
        ASSERT_TRUE(store.AddBreed(0, u"rasa " + NumberText(slot)));
        bird.id_rasy = NewestId(store.BreedNames());
        bird.id_hodowcy = breeder.id;
        if (2 * slot + 2 < kPedigreeSlotCount) {
            bird.id_ojca = 2 * slot + 2;
            bird.id_matki = 2 * slot + 3;
        }
        Text note;
        for (int line = 1; line <= noteLines; ++line)
            note += u"wynik " + NumberText(line) + u" z lotu do miejscowości Żółkiewka\n";
        bird.NotatkaRodowodowa0 = bird.NotatkaRodowodowa1 = bird.NotatkaRodowodowa2 = note;
        bird.NotatkaRodowodowa3 = bird.NotatkaRodowodowa4 = note;
        birds.push_back(bird);
    }
    StoreBirds(store, birds);
}

Text Fill(const Text& page, CDataStore& store, int birdId, const PedigreeChoices& choices = {}) {
    PedigreeAncestors ancestors;
    ancestors[0] = store.FindPigeon(birdId);
    FillPedigreeAncestors(ancestors, store);
    return FillPedigreeTemplate(page, ancestors, choices, store);
}

QString PedigreeFile(const Text& relative) {
    return QString::fromStdU16String(JoinPath(PedigreeFolder(), relative));
}

// The bytes of a UTF-16 page behind its byte-order mark.
QByteArray Utf16(const Text& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (char16_t c : text) bytes.append(static_cast<char>(c & 0xFF)).append(static_cast<char>(c >> 8));
    return bytes;
}

Text Url(const QString& path) { return QUrl::fromLocalFile(path).toString().toStdU16String(); }

class PedigreeTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(LayOutBundledFiles());
    }
    void TearDown() override {
        seams::SetPrintToPdf({});
        WindowTest::TearDown();
    }
};

TEST_F(PedigreeTest, AncestorsFollowTheHeapFatherFirstAndAMissingParentEmptiesItsBranch) {
    CDataStore store;
    FiveGenerations(store);
    PedigreeAncestors ancestors;
    ancestors[0] = store.FindPigeon(1);
    FillPedigreeAncestors(ancestors, store);
    for (int slot = 0; slot < kPedigreeSlotCount; ++slot) EXPECT_EQ(ancestors[slot].nr_obraczki, Ring(slot));
    EXPECT_EQ(PedigreeSlot(4, 12), 27);

    ChangeStoredBird(store, 2, [](PigeonRecord& b) { b.id_ojca = 0; });  // the father's father is not recorded
    ancestors[0] = store.FindPigeon(1);
    FillPedigreeAncestors(ancestors, store);
    for (int slot : {3, 7, 8, 15, 16, 17, 18}) EXPECT_EQ(ancestors[slot].id, 0) << slot;
    for (int slot : {1, 4, 9, 10, 2, 30}) EXPECT_EQ(ancestors[slot].nr_obraczki, Ring(slot)) << slot;
}

TEST_F(PedigreeTest, PlaceholdersThatBeginOthersGetTheirOwnValues) {
    CDataStore store;
    FiveGenerations(store);
    const Text page = Fill(u"[_POZIOM4_1][_POZIOM4_12][_POZIOM4_9][_NOTATKI4_15][_KOLOR_1_0]"
                           u"[_KOLOR_][_KOLOR_3_7][_G35NAZWA][_G11RASA][_G20HODOWCA][_GOLAB_]",
                           store, 1, {.noteLines = {-1, -1, -1, -1, 1}});
    EXPECT_EQ(page, u"[PL 7 21 R16][PL 7 21 R27][PL 7 21 R24]"
                    u"[wynik 1 z lotu do miejscowości Żółkiewka<BR>][kolor 1][kolor 0][kolor 14]"
                    u"[Ptak 12][rasa 2][Anna Nowak][PL 7 21 R0]");
    PedigreeAncestors empty;
    EXPECT_EQ(PedigreePlaceholders(empty, {}, store).size(), 137u);
}

TEST_F(PedigreeTest, AMissingFatherLeavesHisWholeSideBlank) {
    CDataStore store;
    FiveGenerations(store);
    ChangeStoredBird(store, 1, [](PigeonRecord& b) { b.id_ojca = 0; });
    const Text page = Fill(u"_POZIOM1_0|_G10NAZWA|_KOLOR_1_0|_G10RASA|_G10HODOWCA|_IMG1_0|"
                           u"_POZIOM2_1|_G21NAZWA|_POZIOM3_3|_POZIOM4_7|_NOTATKI1_0|_POZIOM1_1",
                           store, 1);
    EXPECT_EQ(page, u"   || | | |" + Url(PedigreeFile(u"img/blank.jpg")) +
                        u"|   ||   |   ||PL 7 21 R2");
}

TEST_F(PedigreeTest, NotesFollowTheLineLimitsOfTheirGenerationAndKeepTheirMarkup) {
    CDataStore store;
    FiveGenerations(store);
    ChangeStoredBird(store, 2, [](PigeonRecord& b) { b.NotatkaRodowodowa1 = u"a\n\nb\nc"; });
    ChangeStoredBird(store, 3, [](PigeonRecord& b) { b.NotatkaRodowodowa1 = u"<b>as</b> okręgu"; });
    const Text page = Fill(u"_NOTATKI1_0|_NOTATKI1_1|_NOTATKI3_0_NOTATKI3_7|_NOTATKI2_0", store, 1,
                           {.noteLines = {12, 2, 1, 0, 2}});
    EXPECT_EQ(page, u"a<BR>b<BR>|<b>as</b> okręgu<BR>||wynik 1 z lotu do miejscowości Żółkiewka<BR>");
    // The limits reach the copies only.
    EXPECT_EQ(store.FindPigeon(2).pedigreeNoteLines[1], -1);

    const Text whole = Fill(u"_NOTATKI3_5", store, 1, {.noteLines = {-1, -1, -1, -1, -1}});
    EXPECT_EQ(whole, Text(u"wynik 1 z lotu do miejscowości Żółkiewka<BR>") +
                         u"wynik 2 z lotu do miejscowości Żółkiewka<BR>" +
                         u"wynik 3 z lotu do miejscowości Żółkiewka<BR>");
}

TEST_F(PedigreeTest, PageChoicesTextsArePlainAndPicturesAreFileUrls) {
    CDataStore store;
    FiveGenerations(store);
    ChangeStoredBird(store, 1, [](PigeonRecord& b) {
        b.nazwa = u"A&B <\"Śmiały\">";
        b.plec = 2;
    });
    // The father's photo, stored as the photo page stores it.
    const QString source = folder_.filePath("zdjecie.jpg");
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("jpg");
    }
    PhotoRecord photo{.id_golebia = 2, .rozszerzenie = u"jpg"};
    photo.path = source.toStdU16String();
    ASSERT_TRUE(store.AddPhoto(photo));
    PersonRecord breeder;
    breeder.imie = u"Jan";
    breeder.nazwisko = u"O'Brien";
    breeder.telkom = u"601";
    const Text templateText = u"_IMIE_ _NAZWISKO_|_TELEFON_KOM_|_ULICA_|_GNAZWA|_PLEC_|_PLGRAFICZNIE_|"
                              u"_IMG1_0|_LOGOGOLEBNIKA_|_TLO_|_GNAZWA";
    const Text page = Fill(templateText, store, 1,
                           {.breeder = &breeder, .logoPath = u"/home/ja/logo ł.png", .background = 4});
    const Text photoPath = JoinPath(ImagesFolder(), photo.FileName());
    EXPECT_EQ(page, u"Jan O&#39;Brien|601||A&amp;B &lt;&quot;Śmiały&quot;&gt;|Samica|" +
                        Url(PedigreeFile(u"img/female.jpg")) + u"|" +
                        Url(QString::fromStdU16String(photoPath)) + u"|<img src='" +
                        Url(QStringLiteral("/home/ja/logo ł.png")) + u"' width=150 height=80>|" +
                        u"<img class=bg src='" + Url(PedigreeFile(u"background/3.jpg")) + u"'>|" +
                        u"A&amp;B &lt;&quot;Śmiały&quot;&gt;");

    // No breeder, no logo, the user's own background without a file, a bird without a sex.
    ChangeStoredBird(store, 1, [](PigeonRecord& b) { b.plec = 0; });
    const Text bare = Fill(u"_IMIE__NAZWISKO__KODPOCZTOWY__ULICA__MIEJSCOWOSC__TELEFON_DOM_"
                           u"_TELEFON_KOM__NRDOMU_|_LOGOGOLEBNIKA_|_TLO_|_PLEC_|_PLGRAFICZNIE_",
                           store, 1, {.background = kOwnBackground});
    EXPECT_EQ(bare, u"        | | | |" + Url(PedigreeFile(u"img/blank.jpg")));
}

TEST_F(PedigreeTest, PageIsWrittenAsUtf16AndFailuresLeaveTheOldFile) {
    CDataStore store;
    FiveGenerations(store);
    const QString folder = QString::fromStdU16String(PedigreeFolder());
    QFile custom(folder + "/klasyczny.html");
    ASSERT_TRUE(custom.open(QIODevice::WriteOnly | QIODevice::Truncate));
    custom.write(Utf16(u"<b>_GOLAB_"));
    custom.close();

    PedigreeAncestors ancestors;
    ancestors[0] = store.FindPigeon(1);
    const Text out = JoinPath(GetInstallPath(), u"wydruk ł.html");
    ASSERT_EQ(RenderPedigreePage(out, ancestors, {.layout = 3}, store), PedigreeResult::Written);
    QFile written(QString::fromStdU16String(out));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), Utf16(u"<b>PL 7 21 R0"));
    written.close();

    ASSERT_TRUE(QFile::remove(folder + "/klasyczny.html"));
    EXPECT_EQ(RenderPedigreePage(out, ancestors, {.layout = 3}, store), PedigreeResult::NoTemplate);
    EXPECT_EQ(RenderPedigreePage(JoinPath(GetInstallPath(), u"brak/x.html"), ancestors,
                                 {.layout = 4}, store),
              PedigreeResult::NotWritten);
    EXPECT_EQ(QFileInfo(QString::fromStdU16String(out)).size(), Utf16(u"<b>PL 7 21 R0").size());
}

// A template is read by its byte-order mark: UTF-16 either way round, UTF-8 with or without
// one (as an editor saves it), a marked text up to its first NUL; anything else is refused and
// the last page stays as it was.
TEST_F(PedigreeTest, TemplatesAreReadByTheirMarkAndGarbageIsRefused) {
    CDataStore store;
    FiveGenerations(store);
    const Text text = u"<p>_GOLAB_ Żółć — 𝄞</p>";
    const QByteArray utf8 = QString::fromStdU16String(text).toUtf8();
    QByteArray bigEndian("\xFE\xFF", 2);
    for (char16_t c : text) bigEndian.append(static_cast<char>(c >> 8)).append(static_cast<char>(c & 0xFF));
    const QByteArray filled = Utf16(u"<p>PL 7 21 R0 Żółć — 𝄞</p>");
    // What follows a NUL is no part of the page, whatever it holds.
    const char afterNul[] = "\0<i>_GOLAB_</i>";
    const QByteArray nulAndMore(afterNul, sizeof afterNul - 1);
    const struct {
        const char* name;
        QByteArray bytes;
        bool readable;
    } cases[] = {
        {"UTF-16LE with its mark", Utf16(text), true},
        {"UTF-16BE with its mark", bigEndian, true},
        {"UTF-16LE with its mark and a NUL", Utf16(text) + Utf16(Text(u"\0<i>_GOLAB_</i>", 15)).mid(2), true},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8, true},
        {"UTF-8 with its mark and a NUL", "\xEF\xBB\xBF" + utf8 + nulAndMore, true},
        {"UTF-8 without a mark", utf8, true},
        {"code page 1250", QByteArray("<p>_GOLAB_ \xAF\xF3\xB3\xE6</p>"), false},
        {"UTF-16LE of odd length", Utf16(text) + 'x', false},
        {"UTF-16LE with half a pair", Utf16(u"<p>_GOLAB_") + QByteArray("\x34\xD8<\0", 4), false},
        {"UTF-16LE without its mark", Utf16(text).mid(2), false},
        {"overlong UTF-8", QByteArray("<p>_GOLAB_\xC0\xAF</p>"), false},
        {"UTF-8 surrogate", QByteArray("<p>_GOLAB_\xED\xA0\x80</p>"), false},
        {"UTF-8 cut short", utf8.left(utf8.size() - 6), false},
    };
    const QString templatePath = QString::fromStdU16String(PedigreeTemplatePath(3));
    const Text out = JoinPath(GetInstallPath(), u"wydruk.html");
    PedigreeAncestors ancestors;
    ancestors[0] = store.FindPigeon(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteUnicodeFile(out, u"poprzedni"));
        QFile file(templatePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        EXPECT_EQ(RenderPedigreePage(out, ancestors, {.layout = 3}, store),
                  c.readable ? PedigreeResult::Written : PedigreeResult::NoTemplate);
        QFile written(QString::fromStdU16String(out));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), c.readable ? filled : Utf16(u"poprzedni"));
    }
}

// Start-up puts today's version in place of a template that is exactly one an earlier version
// laid out (whose boxes may cut rings and notes), and keeps a template the user edited. Today's
// version of every bundled pedigree file is on the list of shipped ones, so that the next
// change replaces it in turn.
TEST_F(PedigreeTest, StartUpReplacesTemplatesAnEarlierVersionLaidOutAndKeepsEditedOnes) {
    const QStringList files = BundledFiles().filter(QStringLiteral("data/pedigrees/"));
    EXPECT_EQ(files.size(), 23);
    for (const QString& file : files) {
        EXPECT_TRUE(ShippedHashes(file).contains(LaidOutHash(file)))
            << file.toStdString() << ": run resources/install/record-shipped-pedigree-files.py";
    }

    const QString name = QStringLiteral("data/pedigrees/klasyczny_3pokolenia.html");
    QFile fixture(QStringLiteral(OX_UI_FIXTURES "/klasyczny_3pokolenia-first.html"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray first = fixture.readAll();
    const QByteArray earlier = InstalledForm(name, first);
    const QByteArray edited =
        InstalledForm(name, QByteArray(first).replace("<title>", "<title>Hodowla Nowaków: "));
    const QString installed = PedigreeFile(u"klasyczny_3pokolenia.html");
    // Lays the bundled files out over `bytes` in the template's place; what the file then holds.
    const auto layOutOver = [&installed](const QByteArray& bytes) {
        QFile file(installed);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        EXPECT_TRUE(LayOutBundledFiles());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    const auto sha = [](const QByteArray& bytes) {
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    };
    EXPECT_EQ(sha(layOutOver(earlier)), LaidOutHash(name));
    EXPECT_EQ(layOutOver(edited), edited);
}

// Every bundled layout: laid out as UTF-16, using only known placeholders (generation 4 only in
// the five-generation one), and printed through the browser engine onto exactly one A4 sheet
// in its orientation with a loft of five generations whose notes are printed whole.
TEST_F(PedigreeTest, EveryLayoutPrintsOnOneSheet) {
    CDataStore& store = TheDataStore();
    FiveGenerations(store, 14);
    for (int layout = 0; layout < kPedigreeLayoutCount; ++layout) {
        SCOPED_TRACE(layout);
        QFile file(QString::fromStdU16String(PedigreeTemplatePath(layout)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().startsWith("\xFF\xFE<\0!\0D\0O\0C\0"));

        PedigreeAncestors ancestors;
        ancestors[0] = store.FindPigeon(1);
        FillPedigreeAncestors(ancestors, store);
        const Text raw = ReadUnicodeFile(PedigreeTemplatePath(layout));
        const Text filled = FillPedigreeTemplate(raw, ancestors, {}, store);
        const QString page = QString::fromStdU16String(filled);
        EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("_[A-Z]{3,}"))))
            << page.mid(page.indexOf(QRegularExpression(QStringLiteral("_[A-Z]{3,}"))), 20).toStdString();
        EXPECT_EQ(QString::fromStdU16String(raw).contains(QStringLiteral("_POZIOM4_15")), layout == 6);

        const Text out = JoinPath(GetInstallPath(), u"strona.html");
        ASSERT_EQ(RenderPedigreePage(out, ancestors,
                                     {.layout = layout, .background = 2 + layout % 6,
                                      .noteLines = {-1, -1, -1, -1, -1}},
                                     store),
                  PedigreeResult::Written);
        const QString pdf = QDir(folder_.path()).filePath(QStringLiteral("rodowod.pdf"));
        QFile::remove(pdf);
        seams::SetPrintToPdf(pdf);
        CPodgladHTML preview;
        preview.path = out;
        QString boxes;
        seams::SetModalHandler([&boxes](Dialog& window) {
            // How many boxes, how many spill over their own edges, how many reach off the sheet.
            boxes = static_cast<CPodgladHTML&>(window).browser.RunScript(QStringLiteral(
                "(function () {"
                "  var page = document.querySelector('.page').getBoundingClientRect();"
                "  var all = document.querySelectorAll('.box'), spill = 0, off = 0;"
                "  for (var i = 0; i < all.length; ++i) {"
                "    var b = all[i], r = b.getBoundingClientRect();"
                "    if (b.scrollHeight > b.clientHeight + 1) ++spill;"
                "    if (r.left < page.left || r.top < page.top || r.right > page.right ||"
                "        r.bottom > page.bottom) ++off;"
                "  }"
                "  return all.length + '/' + spill + '/' + off;"
                "})()")).toString();
            window.RunCommand(1231);
            return IDCANCEL;
        });
        preview.DoModal();
        EXPECT_EQ(boxes.toStdString(), layout == 5 ? "7/0/0" : layout == 6 ? "31/0/0" : "15/0/0");
        QFile printed(pdf);
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
        const QByteArray bytes = printed.readAll();
        const QString text = QString::fromLatin1(bytes);
        EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))), 1);
        const QRegularExpressionMatch box =
            QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(text);
        ASSERT_TRUE(box.hasMatch());
        const double width = box.captured(1).toDouble(), height = box.captured(2).toDouble();
        EXPECT_NEAR(std::max(width, height), 842, 2);
        EXPECT_NEAR(std::min(width, height), 595, 2);
        EXPECT_EQ(width > height, layout <= 1);
    }
}

// Fourteen result lines, each as long as a result line of a pedigree usually is.
Text ResultLines() {
    Text note;
    for (int line = 1; line <= 14; ++line) note += NumberText(line) + u". Opole 2021 – 1/1840 gołębi\n";
    return note;
}

// A loft as a breeder keeps it: five full generations with real rings, Polish names, colours,
// breeds and breeders, and notes longer than any line limit.
void RealisticGenerations(CDataStore& store) {
    const Text note = ResultLines();
    ASSERT_TRUE(store.LoadExtraDb(0));  // the dictionaries, with id 0 showing as one blank
    PersonRecord breeder{.imie = u"Zbigniew", .nazwisko = u"Wróblewski-Kaczmarczyk"};
    ASSERT_TRUE(store.WriteBreeder(WriteMode::Insert, breeder));
    int colours[3] = {};
    for (int i = 0; i < 3; ++i) {
        const char16_t* names[] = {u"niebieski nakrapiany", u"czerwony pstry", u"płowy"};
        ASSERT_TRUE(store.AddColour(0, names[i]));
        colours[i] = NewestId(store.ColourNames());
    }
    int breeds[2] = {};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(store.AddBreed(0, i == 0 ? u"Janssen" : u"Van Loon"));
        breeds[i] = NewestId(store.BreedNames());
    }
    std::vector<PigeonRecord> birds;
    const Text names[] = {u"Błyskawica Śląska", u"Żółtodziób", u"Grzmiący z Gór Sowich",
                          u"Łaskawa Królowa"};
    for (int slot = 0; slot < kPedigreeSlotCount; ++slot) {
        PigeonRecord bird;
        bird.id = slot + 1;
        bird.kraj = u"PL";
        bird.oddzial = u"0446";
        bird.rocznik = u"2018";
        // The bird and its father carry the longest rings the program is given.
        bird.nr_obraczki = slot <= 1 ? u"1234567" : u"1234" + NumberText(slot % 10);
        if (slot <= 1) bird.kraj = u"DV";
        bird.nazwa = names[slot % 4];
        bird.id_koloru = colours[slot % 3];
        bird.id_rasy = breeds[slot % 2];
        bird.id_hodowcy = breeder.id;
        if (2 * slot + 2 < kPedigreeSlotCount) {
            bird.id_ojca = 2 * slot + 2;
            bird.id_matki = 2 * slot + 3;
        }
        bird.NotatkaRodowodowa0 = bird.NotatkaRodowodowa1 = bird.NotatkaRodowodowa2 = note;
        bird.NotatkaRodowodowa3 = bird.NotatkaRodowodowa4 = note;
        birds.push_back(bird);
    }
    StoreBirds(store, birds);
}

// Prints the pedigree page `path` to the PDF file `pdf` through the preview window and returns
// what `script` answered about the page shown.
QString PrintAndMeasure(const Text& path, const QString& pdf, const QString& script) {
    QFile::remove(pdf);
    seams::SetPrintToPdf(pdf);
    CPodgladHTML preview;
    preview.path = path;
    QString answer;
    seams::SetModalHandler([&](Dialog& window) {
        answer = static_cast<CPodgladHTML&>(window).browser.RunScript(script).toString();
        window.RunCommand(1231);
        return IDCANCEL;
    });
    preview.DoModal();
    return answer;
}

// The texts of a JSON array, one after another.
std::string Joined(const QJsonValue& list) {
    return list.toVariant().toStringList().join(QStringLiteral(", ")).toStdString();
}

int PdfPages(const QString& pdf) {
    QFile printed(pdf);
    if (!printed.open(QIODevice::ReadOnly)) return 0;
    return static_cast<int>(QString::fromLatin1(printed.readAll())
                                .count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))));
}

// Every box of every layout, at the default note limits and with all notes printed whole: the
// ring and every line of the notes lie inside their box (with the box inside the sheet and apart
// from every other box); at the default limits every line is printed, and where whole notes do
// not fit the last line shown ends in "…".
TEST_F(PedigreeTest, EveryLineOfEveryBoxIsInsideItsBoxOrTheBoxSaysItIsCut) {
    CDataStore& store = TheDataStore();
    RealisticGenerations(store);
    const QString script = QStringLiteral(
        "(function () {"
        "  var page = document.querySelector('.page').getBoundingClientRect(), out = [];"
        "  var boxes = document.querySelectorAll('.box');"
        "  function inside(r, b) { return r.width == 0 || (r.left >= b.left - 0.5 &&"
        "    r.right <= b.right + 0.5 && r.top >= b.top - 0.5 && r.bottom <= b.bottom + 0.5); }"
        "  for (var i = 0; i < boxes.length; ++i) {"
        "    var box = boxes[i], r = box.getBoundingClientRect(), s = getComputedStyle(box);"
        "    var inner = { left: r.left + parseFloat(s.borderLeftWidth),"
        "      right: r.right - parseFloat(s.borderRightWidth), top: r.top + parseFloat(s.borderTopWidth),"
        "      bottom: r.bottom - parseFloat(s.borderBottomWidth) };"
        "    var g = box.className.match(/g(\\d)/)[1], bad = [];"
        "    if (!inside(r, page)) bad.push('off the sheet');"
        "    for (var j = 0; j < boxes.length; ++j) {"
        "      var o = boxes[j].getBoundingClientRect();"
        "      if (j != i && o.left < r.right && r.left < o.right && o.top < r.bottom && r.top < o.bottom)"
        "        bad.push('overlaps box ' + j);"
        "    }"
        "    var ring = document.createRange();"
        "    ring.selectNodeContents(box.querySelector('.ring'));"
        "    var rects = ring.getClientRects();"
        "    for (var k = 0; k < rects.length; ++k) if (!inside(rects[k], inner)) bad.push('ring cut');"
        "    var notes = box.querySelector('.notes'), lines = '';"
        "    if (notes) {"
        "      var text = document.createRange();"
        "      text.selectNodeContents(notes);"
        "      rects = text.getClientRects();"
        "      for (var k = 0; k < rects.length; ++k)"
        "        if (!inside(rects[k], inner)) { bad.push('note line ' + k + ' cut'); break; }"
        "      lines = notes.innerText.replace('\\u2026', '').split('\\n').filter(function (l) { return l.trim(); }).length +"
        "              (notes.querySelector('.more') ? '…' : '');"
        "    }"
        "    out.push('g' + g + ':' + lines + (bad.length ? ' ' + bad.join(', ') : ''));"
        "  }"
        "  return out.join('\\n');"
        "})()");
    const QString pdf = QDir(folder_.path()).filePath(QStringLiteral("rodowod.pdf"));
    const Text out = JoinPath(GetInstallPath(), u"strona.html");
    for (int layout = 0; layout < kPedigreeLayoutCount; ++layout) {
        SCOPED_TRACE(layout);
        for (const bool whole : {false, true}) {
            PedigreeChoices choices{.layout = layout};
            if (whole) choices.noteLines = {-1, -1, -1, -1, -1};
            PedigreeAncestors ancestors;
            ancestors[0] = store.FindPigeon(1);
            FillPedigreeAncestors(ancestors, store);
            ASSERT_EQ(RenderPedigreePage(out, ancestors, choices, store), PedigreeResult::Written);
            const QStringList boxes = PrintAndMeasure(out, pdf, script).split('\n');
            EXPECT_EQ(PdfPages(pdf), 1);
            EXPECT_EQ(boxes.size(), layout == 5 ? 7 : layout == 6 ? 31 : 15);
            for (const QString& box : boxes) {
                SCOPED_TRACE(box.toStdString());
                const int generation = box.mid(1, 1).toInt();
                const QString lines = box.section(':', 1).section(' ', 0, 0);
                // Anything after the count names a line that left its box.
                EXPECT_FALSE(box.contains(' ')) << "whole notes: " << whole;
                if (!whole) {
                    EXPECT_EQ(lines, QString::number(choices.noteLines[generation]));
                } else if (!lines.endsWith(QChar(0x2026))) {
                    EXPECT_EQ(lines, QStringLiteral("14"));
                }
            }
        }
    }
}

// A pedigree printed to a PDF file from its window keeps the rings and names as text on one
// A4 sheet, in a file far smaller than a picture of the sheet.
TEST_F(PedigreeTest, APedigreePrintedToAPdfFileIsTextOnOneSheet) {
    CDataStore& store = TheDataStore();
    RealisticGenerations(store);
    const QString pdf = QDir(folder_.path()).filePath(QStringLiteral("rodowód.pdf"));
    seams::SetPrintToPdf(pdf);
    CDrukujRodowodGolebia window;
    window.ancestors[0] = store.FindPigeon(1);
    seams::QueueModalHandler([](Dialog& dialog) {
        seams::QueueModalHandler([](Dialog& preview) {
            preview.RunCommand(1231);
            return IDCANCEL;
        });
        dialog.RunCommand(CDrukujRodowodGolebia::kPrintButton);
        return IDCANCEL;
    });
    window.DoModal();
    EXPECT_EQ(MessageTexts(), QStringList());
    const QStringList pages = PdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 1);
    for (const char* text : {"DV 0446 2018 1234567", "PL 0446 2018 12342", "Błyskawica Śląska",
                             "Łaskawa Królowa", "Opole 2021"})
        EXPECT_TRUE(pages[0].contains(QString::fromUtf8(text))) << text;
    EXPECT_LT(QFileInfo(pdf).size(), 512 * 1024);
    const QImage sheet = PdfPageImage(pdf, 0, 30);
    EXPECT_NEAR(sheet.width() * 297.0 / sheet.height(), 210.0, 1.0);
}

// Notes as breeders write them (one paragraph, a few long lines, a single word too long for any
// box) and a breeder whose name takes three lines of the head, in every layout with the notes
// printed whole. Every box with room for a line of its note shows the note's beginning word for
// word; a cut note ends in "…" and leaves less than a line of its box empty; the rings, names
// and notes stay inside their boxes. The address stays inside its own box above the head's rule
// and clear of the title.
TEST_F(PedigreeTest, LongNotesAndAddressesShowAsMuchAsFitsInsideTheirBoxes) {
    const QString script = QStringLiteral(R"((function () {
      function inside(r, b) { return r.width == 0 || (r.left >= b.left - 0.5 &&
        r.right <= b.right + 0.5 && r.top >= b.top - 0.5 && r.bottom <= b.bottom + 0.5); }
      function textRects(e) {
        var rects = [], range = document.createRange();
        (function walk(node) {
          for (var c = node.firstChild; c; c = c.nextSibling) {
            if (c.nodeType != 3) { walk(c); continue; }
            range.selectNodeContents(c);
            rects = rects.concat(Array.prototype.slice.call(range.getClientRects()));
          }
        })(e);
        return rects;
      }
      var boxes = [], all = document.querySelectorAll('.box');
      for (var i = 0; i < all.length; ++i) {
        var box = all[i], r = box.getBoundingClientRect(), s = getComputedStyle(box);
        var inner = { left: r.left + parseFloat(s.borderLeftWidth),
          right: r.right - parseFloat(s.borderRightWidth), top: r.top + parseFloat(s.borderTopWidth),
          bottom: r.bottom - parseFloat(s.borderBottomWidth) };
        var bottom = inner.bottom - parseFloat(s.paddingBottom), out = [];
        box.querySelectorAll('.ring, .name, .notes').forEach(function (e) {
          textRects(e).forEach(function (t) { if (!inside(t, inner)) out.push(e.className); });
        });
        var notes = box.querySelector('.notes'), ns = getComputedStyle(notes);
        var line = parseFloat(ns.lineHeight), rects = textRects(notes);
        var from = notes.getBoundingClientRect().top + parseFloat(ns.borderTopWidth) +
                   parseFloat(ns.paddingTop);
        boxes.push({ g: +box.className.match(/g(\d)/)[1], room: from + line <= bottom + 0.5,
          shown: notes.innerText, out: out,
          free: (bottom - (rects.length ? rects[rects.length - 1].bottom : from)) / line });
      }
      var address = document.querySelector('.address'), a = address.getBoundingClientRect();
      var rule = document.querySelector('.rule').getBoundingClientRect();
      var title = textRects(document.querySelector('.title')), head = [];
      var cut = address.classList.contains('cut');
      if (a.bottom > rule.top + 0.5) head.push('the address reaches the rule');
      Array.prototype.forEach.call(address.children, function (line, n) {
        var clip = line.getBoundingClientRect();
        textRects(line).forEach(function (t) {
          var left = cut ? Math.max(t.left, clip.left) : t.left;
          var right = cut ? Math.min(t.right, clip.right) : t.right;
          var shown = { left: left, right: right, top: t.top, bottom: t.bottom, width: right - left };
          if (!inside(shown, a) || t.bottom > rule.top) head.push('line ' + n + ' leaves its box');
          title.forEach(function (w) {
            if (left < w.right && w.left < right && t.top < w.bottom && w.top < t.bottom)
              head.push('line ' + n + ' runs into the title');
          });
        });
      });
      return JSON.stringify({ boxes: boxes, head: head });
    })())");
    const Text paragraph =
        u"Syn słynnego Błyskawicy po najlepszej samicy hodowli. Zdobył 1. nagrodę z Opola w 2021 "
        u"roku przy 1840 gołębiach, 3. nagrodę z Głogowa i 12. z Lubina; jako roczniak przeleciał "
        u"wszystkie loty okręgowe bez strat. Jego młode wygrały już 1. i 2. nagrodę w oddziale oraz "
        u"tytuł asa lotowego okręgu. Spokojny, świetnie zbudowany, oko perłowe, upierzenie "
        u"jedwabiste. Polecany do dalszej hodowli.";
    const Text lines =
        u"Po parze nr 1 z gołębnika Kowalskich, brat 1. asa okręgu 2019.\n"
        u"Wyniki: 1/1840 Opole 2021, 3/912 Głogów 2021, 12/2210 Lubin 2022, 7/655 Legnica 2022, "
        u"25/1432 Chojnów 2023.\n"
        u"Ojciec zwycięzców z Bolesławca i Zgorzelca, dziadek 4. asa kraju w kategorii A.\n"
        u"Spokojny, oko perłowe, upierzenie jedwabiste, w hodowli od 2024 roku.";
    Text word;
    for (int i = 0; i < 30; ++i) word += u"Skrzydłowy";
    const PersonRecord threeLines{.imie = u"Zbigniew Aleksander Maria", .kodpocztowy = u"62-300",
                                  .nazwisko = u"Wróblewski-Kaczmarczyk-Szczepańczyk",
                                  .miejscowosc = u"Września Wielkopolska",
                                  .ulica = u"ul. Generała Władysława Andersa", .nrdomu = u"128/14",
                                  .teldom = u"+48 61 436 12 34", .telkom = u"+48 601 234 567"};
    PersonRecord endless = threeLines;
    endless.nazwisko = endless.nazwisko + u" " + endless.nazwisko + u" " + endless.nazwisko;
    endless.ulica = endless.ulica + u" " + endless.ulica;

    const auto plain = [](QString text) {
        return text.replace(QChar(0x2026), u' ').simplified();
    };
    const QString pdf = QDir(folder_.path()).filePath(QStringLiteral("rodowod.pdf"));
    const Text out = JoinPath(GetInstallPath(), u"strona.html");
    const struct {
        const Text& note;
        const PersonRecord& breeder;
    } cases[] = {{paragraph, threeLines}, {lines, threeLines}, {word, endless}};
    CDataStore& store = TheDataStore();
    RealisticGenerations(store);
    for (const auto& [note, breeder] : cases) {
        SCOPED_TRACE(QString::fromStdU16String(note).left(20).toStdString());
        for (int id = 1; id <= kPedigreeSlotCount; ++id) {
            ChangeStoredBird(store, id, [&note](PigeonRecord& b) {
                b.NotatkaRodowodowa0 = b.NotatkaRodowodowa1 = b.NotatkaRodowodowa2 = note;
                b.NotatkaRodowodowa3 = b.NotatkaRodowodowa4 = note;
            });
        }
        const QString whole = plain(QString::fromStdU16String(note));
        const QString firstWord = whole.section(' ', 0, 0);
        for (int layout = 0; layout < kPedigreeLayoutCount; ++layout) {
            SCOPED_TRACE(layout);
            PedigreeAncestors ancestors;
            ancestors[0] = store.FindPigeon(1);
            FillPedigreeAncestors(ancestors, store);
            const PedigreeChoices choices{.layout = layout, .breeder = &breeder,
                                          .noteLines = {-1, -1, -1, -1, -1}};
            ASSERT_EQ(RenderPedigreePage(out, ancestors, choices, store), PedigreeResult::Written);
            const QJsonObject page =
                QJsonDocument::fromJson(PrintAndMeasure(out, pdf, script).toUtf8()).object();
            EXPECT_EQ(PdfPages(pdf), 1);
            EXPECT_EQ(Joined(page[u"head"]), "");
            const QJsonArray boxes = page[u"boxes"].toArray();
            ASSERT_EQ(boxes.size(), layout == 5 ? 7 : layout == 6 ? 31 : 15);
            for (const QJsonValue& value : boxes) {
                const QJsonObject box = value.toObject();
                const QString shown = box[u"shown"].toString();
                SCOPED_TRACE("generation " + std::to_string(box[u"g"].toInt()) + ": " +
                             shown.toStdString());
                EXPECT_EQ(Joined(box[u"out"]), "");
                if (!box[u"room"].toBool()) continue;
                EXPECT_TRUE(whole.startsWith(plain(shown)));
                EXPECT_TRUE(plain(shown).startsWith(note == word ? whole.left(1) : firstWord));
                if (shown.contains(QChar(0x2026))) {
                    EXPECT_TRUE(shown.trimmed().endsWith(QChar(0x2026)));
                    EXPECT_LT(box[u"free"].toDouble(), 1.2);
                } else {
                    EXPECT_EQ(plain(shown), whole);
                }
            }
        }
    }
}

TEST_F(PedigreeTest, WindowPrintsAndSavesWithTheChosenBreederLogoAndLimits) {
    CDataStore& store = TheDataStore();
    for (const auto& [first, last] : {std::pair<Text, Text>{u"Jan", u"Kowalski"}, {u"Ewa", u"Zielińska"}}) {
        PersonRecord breeder;
        breeder.imie = first;
        breeder.nazwisko = last;
        ASSERT_TRUE(store.WriteBreeder(WriteMode::Insert, breeder));
    }
    const int father = AddBird(0, u"111");
    const int bird = AddBird(0, u"333", u"Bystry");
    PigeonRecord record = store.FindPigeon(bird);
    record.id_ojca = father;
    record.NotatkaRodowodowa0 = u"pierwsza\ndruga\ntrzecia";
    ASSERT_TRUE(store.WritePigeon(WriteMode::Update, record));
    const QString saved = QDir(folder_.path()).filePath(QStringLiteral("mój rodowód.html"));

    CDrukujRodowodGolebia window;
    window.ancestors[0] = store.FindPigeon(bird);
    seams::ScriptPaths({QStringLiteral("/tmp/logo.png"), QString(), saved});
    seams::QueueModalHandler([&](Dialog& dialog) {
        auto& w = static_cast<CDrukujRodowodGolebia&>(dialog);
        EXPECT_EQ(ComboTexts(w.Combo(w.kLayoutCombo)).size(), 7);
        EXPECT_EQ(w.Combo(w.kLayoutCombo)->GetCurSel(), 4);
        EXPECT_EQ(ComboTexts(w.Combo(w.kBreederCombo)), (QStringList{"Jan Kowalski", "Ewa Zielińska"}));
        EXPECT_EQ(ComboTexts(w.Combo(w.kBackgroundCombo)).last(), QStringLiteral("Tło domyślne nr. 6"));
        EXPECT_TRUE(w.ItemAs<CPictureBox>(w.kThumbnail)->HasImage());
        for (int id : CDrukujRodowodGolebia::kNoteChecks) EXPECT_EQ(w.IsDlgButtonChecked(id), 1);
        EXPECT_EQ(w.GetDlgItemInt(w.kFirstLineEdit + 4), 2);
        // Every layout's name, chosen, is readable in the closed box: its beginning and its end
        // within the box, the whole name as the tooltip when its middle is left out.
        ComboBox* layouts = w.Combo(w.kLayoutCombo);
        for (int layout = 0; layout < kPedigreeLayoutCount; ++layout) {
            layouts->SetCurSel(layout);
            const QString name = QString::fromStdU16String(kPedigreeLayouts[layout].windowText);
            const QString shown = w.ShownLayoutText();
            layouts->grab();   // paints, which sets the tooltip
            EXPECT_LE(layouts->fontMetrics().horizontalAdvance(shown), layouts->width() - 16)
                << shown.toStdString();
            EXPECT_TRUE(shown.startsWith(name.section(' ', 0, 0)) && shown.endsWith(name.section(' ', -1)))
                << shown.toStdString();
            EXPECT_EQ(layouts->toolTip(), shown == name ? QString() : name);
        }
        EXPECT_NE(w.ShownLayoutText(), QString::fromStdU16String(kPedigreeLayouts[6].windowText));
        layouts->SetCurSel(4);

        w.Combo(w.kBreederCombo)->SetCurSel(1);
        w.Fire(w.kBreederCombo, Notification::SelChange);
        w.RunCommand(w.kLogoButton);     // a logo ...
        EXPECT_EQ(w.ItemText(w.kLogoEdit), u"/tmp/logo.png");
        w.RunCommand(w.kLogoButton);     // ... and a cancelled choice takes it away again
        EXPECT_EQ(w.ItemText(w.kLogoEdit), u"");
        w.SetItemText(w.kFirstLineEdit, u"1");
        w.Combo(w.kLayoutCombo)->SetCurSel(3);
        w.Fire(w.kLayoutCombo, Notification::SelChange);

        w.RunCommand(w.kSaveButton);
        Text previewed;
        seams::QueueModalHandler([&](Dialog& preview) {
            previewed = static_cast<CPodgladHTML&>(preview).path;
            return IDCANCEL;
        });
        w.RunCommand(w.kPrintButton);
        EXPECT_EQ(previewed, PedigreePreviewPath());

        // A layout whose template is gone is reported and nothing is previewed.
        QFile::remove(QString::fromStdU16String(PedigreeTemplatePath(3)));
        const size_t runs = seams::ModalRuns().size();
        w.RunCommand(w.kPrintButton);
        EXPECT_EQ(seams::ModalRuns().size(), runs);
        w.RunCommand(IDOK);   // Enter in a field
        EXPECT_FALSE(w.HasEnded());
        return IDCANCEL;
    });
    window.DoModal();

    const QString page = QString::fromStdU16String(ReadUnicodeFile(PedigreePreviewPath()));
    EXPECT_TRUE(page.contains(QStringLiteral("Ewa Zielińska")));
    EXPECT_TRUE(page.contains(QStringLiteral("PL 0123 24 333")));
    EXPECT_TRUE(page.contains(QStringLiteral(">pierwsza<BR></div>")));
    EXPECT_TRUE(page.contains(QStringLiteral("PL 0123 24 111")));
    EXPECT_FALSE(page.contains(QStringLiteral("logo.png")));
    QFile savedFile(saved), previewFile(QString::fromStdU16String(PedigreePreviewPath()));
    ASSERT_TRUE(savedFile.open(QIODevice::ReadOnly) && previewFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(savedFile.readAll(), previewFile.readAll());
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("Nie można odczytać szablonu rodowodu:\n") +
                                          QString::fromStdU16String(PedigreeTemplatePath(3))});
}

}  // namespace
