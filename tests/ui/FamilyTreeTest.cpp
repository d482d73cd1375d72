// The family tree: mother before father in every pair, the photographs and texts of the clicked
// bird, and a tree that stays rooted at its bird.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <functional>

#include "BufferedDC.h"
#include "DataStore.h"
#include "DrzewoGenealogicznePsa.h"
#include "PictureBox.h"
#include "Resources.h"
#include "SharedRoutines.h"
#include "TransparentStatic.h"
#include "WindowTestSupport.h"

namespace {

class FamilyTreeTest : public WindowTest {
protected:
    // A photograph of the bird whose picture is `width` pixels wide, stored as the photo page
    // stores it.
    void AddPhoto(int pigeonId, int width) {
        const QString source = folder_.filePath(QString("zdjecie%1.png").arg(width));
        QImage image(width, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        ASSERT_TRUE(image.save(source));
        PhotoRecord photo{.id_golebia = pigeonId, .rozszerzenie = u"png"};
        photo.path = source.toStdU16String();
        ASSERT_TRUE(TheDataStore().AddPhoto(photo));
    }
    static int Width(Dialog& w, int id) {
        const QImage* image = w.ItemAs<CPictureBox>(id)->Image();
        return image ? image->width() : 0;
    }
};

TEST_F(FamilyTreeTest, ShowsMotherBeforeFatherAndTheClickedBirdsPhotosAndTexts) {
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(EnsureDbFolders());
    ASSERT_TRUE(store.AddColour(0, u"czerwony"));
    const int colour = NewestId(store.ColourNames());
    const int grandmother = AddBird(0, u"1", u"Babcia");
    const int grandfather = AddBird(0, u"2");
    const int fathersFather = AddBird(0, u"3");
    const int mother = AddBird(0, u"4", u"Mama");
    const int father = AddBird(0, u"5");
    const int bird = AddBird(0, u"6", u"Mały");
    ChangeBird(mother, [&](PigeonRecord& b) {
        b.id_matki = grandmother;
        b.id_ojca = grandfather;
        b.id_koloru = colour;
    });
    ChangeBird(father, [&](PigeonRecord& b) { b.id_ojca = fathersFather; });
    ChangeBird(bird, [&](PigeonRecord& b) {
        b.id_matki = mother;
        b.id_ojca = father;
    });
    AddPhoto(bird, 40);
    AddPhoto(mother, 50);
    AddPhoto(mother, 60);

    seams::QueueModalHandler([&](Dialog& w) {
        QStringList texts;
        for (int id : CDrzewoGenealogicznePsa::kTreeButtons) texts << w.GetDlgItemText(id);
        EXPECT_EQ(texts, (QStringList{"PL 0123 24 6\nMały ", "PL 0123 24 4\nMama ", "PL 0123 24 5",
                                      "PL 0123 24 1\nBabcia ", "PL 0123 24 2", "   ",
                                      "PL 0123 24 3"}));
        EXPECT_EQ(Width(w, CDrzewoGenealogicznePsa::kBirdPhoto), 40);
        // The bird itself on opening: its one photo, then the default picture.
        EXPECT_EQ(Width(w, CDrzewoGenealogicznePsa::kFirstPhoto), 40);
        EXPECT_EQ(Width(w, CDrzewoGenealogicznePsa::kSecondPhoto), 214);

        w.RunCommand(1100);   // the mother
        EXPECT_EQ(Width(w, CDrzewoGenealogicznePsa::kFirstPhoto), 50);
        EXPECT_EQ(Width(w, CDrzewoGenealogicznePsa::kSecondPhoto), 60);
        EXPECT_EQ(w.GetDlgItemText(CDrzewoGenealogicznePsa::kRingLabel), "PL 0123 24 4\nMama ");
        EXPECT_EQ(w.GetDlgItemText(CDrzewoGenealogicznePsa::kColourLabel), "czerwony");

        w.RunCommand(1104);   // the father's mother, not recorded
        EXPECT_EQ(Width(w, CDrzewoGenealogicznePsa::kFirstPhoto), 214);
        EXPECT_EQ(Width(w, CDrzewoGenealogicznePsa::kSecondPhoto), 214);
        EXPECT_EQ(w.GetDlgItemText(CDrzewoGenealogicznePsa::kRingLabel), "   ");

        w.RunCommand(1148);   // back to the bird; the tree never moved
        EXPECT_EQ(w.GetDlgItemText(CDrzewoGenealogicznePsa::kRingLabel), "PL 0123 24 6\nMały ");
        EXPECT_EQ(Width(w, CDrzewoGenealogicznePsa::kFirstPhoto), 40);
        EXPECT_EQ(w.GetDlgItemText(1100), "PL 0123 24 4\nMama ");
        return IDCANCEL;
    });
    CDrzewoGenealogicznePsa::ShowFor(nullptr, bird);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
    EXPECT_EQ(seams::ModalRuns()[0].templateId, CDrzewoGenealogicznePsa::kTemplateId);
}

// Long rings and names: every tree button shows each of its two lines within its width, with
// "…" and the whole text as the tooltip when cut, and the panel's ring, name and colour keep to
// their lines of their labels in the same way: a ring too long for its line leaves the name its
// own.
TEST_F(FamilyTreeTest, LongRingsAndNamesEndInAnEllipsisWithinTheirPlaces) {
    CDataStore& store = TheDataStore();
    ASSERT_TRUE(store.AddColour(0, u"niebieski nakrapiany z białymi lotkami i ciemnym ogonem"));
    const int colour = NewestId(store.ColourNames());
    const Text longName = u"Sokół Wędrowny z Gór Sowich, wnuk Błyskawicy Śląskiej";
    const int mother = AddBird(0, u"4", u"Mama");
    const int bird = AddBird(0, u"PL-01234567890123", longName);
    ChangeBird(bird, [&](PigeonRecord& b) {
        b.rocznik = u"2024";
        b.id_matki = mother;
        b.id_koloru = colour;
    });
    seams::QueueModalHandler([&](Dialog& w) {
        const QString whole = QString::fromStdU16String(store.FindPigeon(bird).GetRingNumberAndName());
        for (int id : CDrzewoGenealogicznePsa::kTreeButtons) {
            auto* button = w.Button(id);
            const QFontMetrics metrics(StockFont(DEFAULT_GUI_FONT).value_or(button->font()));
            for (const QString& line : button->text().split('\n'))
                EXPECT_LE(metrics.horizontalAdvance(line), button->width()) << line.toStdString();
        }
        const QString top = w.GetDlgItemText(CDrzewoGenealogicznePsa::kTreeButtons[0]);
        // The ring takes the box's spare line and stays whole, the name keeps its beginning.
        EXPECT_TRUE(top.startsWith(QStringLiteral("PL 0123 2024\nPL-01234567890123\nSokół")))
            << top.toStdString();
        EXPECT_EQ(top.count(QChar(0x2026)), 1) << top.toStdString();
        EXPECT_TRUE(top.endsWith(QChar(0x2026)));
        EXPECT_EQ(w.Button(CDrzewoGenealogicznePsa::kTreeButtons[0])->toolTip(), whole);
        EXPECT_EQ(w.GetDlgItemText(1100), "PL 0123 24 4\nMama ");
        EXPECT_EQ(w.Button(1100)->toolTip(), QString());

        for (int id : {CDrzewoGenealogicznePsa::kRingLabel, CDrzewoGenealogicznePsa::kColourLabel}) {
            auto* label = w.ItemAs<CTransparentStatic>(id);
            label->grab();   // paints, which sets the tooltip
            const QString shown = label->ShownText();
            const QRect need = label->fontMetrics().boundingRect(
                label->contentsRect(), label->wordWrap() ? Qt::TextWordWrap : 0, shown);
            EXPECT_LE(need.height(), label->contentsRect().height() + 1) << shown.toStdString();
            EXPECT_LE(need.width(), label->contentsRect().width()) << shown.toStdString();
            EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
            EXPECT_EQ(label->toolTip(), label->text());
        }
        // A ring too long for its line is cut in its middle, keeping both its ends as the
        // buttons do, and leaves the name its own line, both within the label's height.
        auto* ring = w.ItemAs<CTransparentStatic>(CDrzewoGenealogicznePsa::kRingLabel);
        const QStringList lines = ring->ShownText().split(QLatin1Char('\n'));
        EXPECT_EQ(lines.size(), 2) << ring->ShownText().toStdString();
        if (lines.size() != 2) return IDCANCEL;
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("PL 0123"))) << lines[0].toStdString();
        EXPECT_TRUE(lines[0].contains(QChar(0x2026))) << lines[0].toStdString();
        EXPECT_TRUE(lines[0].endsWith(QStringLiteral("0123"))) << lines[0].toStdString();
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Sokół Wędrowny"))) << lines[1].toStdString();
        EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
        return IDCANCEL;
    });
    CDrzewoGenealogicznePsa::ShowFor(nullptr, bird);
}

}  // namespace

namespace {

// The tree's connecting lines meet: every horizontal line begins and ends on the middle of a
// vertical one (a vertical line's control is two units wide, centred on its line).
TEST(FamilyTreeLines, HorizontalLinesEndOnTheVerticalOnes) {
    const DialogTemplate* tree = FindDialogTemplate(CDrzewoGenealogicznePsa::kTemplateId);
    ASSERT_NE(tree, nullptr);
    std::vector<int> verticals;
    for (const ControlTemplate& c : tree->controls)
        if (c.kind == ControlKind::VLine) verticals.push_back(c.rect.x + c.rect.width / 2);
    int horizontals = 0;
    for (const ControlTemplate& c : tree->controls) {
        if (c.kind != ControlKind::HLine) continue;
        ++horizontals;
        for (const int end : {c.rect.x, c.rect.x + c.rect.width})
            EXPECT_NE(std::find(verticals.begin(), verticals.end(), end), verticals.end())
                << "a line at y " << c.rect.y << " ends at x " << end;
    }
    EXPECT_EQ(horizontals, 3);
}

// A ring too long for one line of its place, on a bird without a name: the tree's boxes and the
// panel's "Informacje" have a second line for it, so the ring is broken at its spaces and shown
// whole, with no tooltip, instead of being cut on one line.
TEST_F(FamilyTreeTest, ARingWithoutANameTakesTheSecondLineItHas) {
    const auto unnamed = [](const Text& branch, const Text& ring) {
        const int id = AddBird(0, ring);
        ChangeBird(id, [&](PigeonRecord& b) {
            b.oddzial = branch;
            b.rocznik = u"2019";
        });
        return id;
    };
    const int mother = unnamed(u"0154", u"PL-0154-19-0054");
    const int bird = unnamed(u"0205", u"PL-0205-19-0105");
    ChangeBird(bird, [&](PigeonRecord& b) { b.id_matki = mother; });
    seams::QueueModalHandler([&](Dialog& w) {
        auto* label = w.ItemAs<CTransparentStatic>(CDrzewoGenealogicznePsa::kRingLabel);
        struct Place {
            const char* name;
            std::function<QString()> shown;
            std::function<QString()> tip;
        };
        const Place places[] = {
            {"mother's box", [&] { return w.GetDlgItemText(1100); },
             [&] { return w.Button(1100)->toolTip(); }},
            {"Informacje", [&] { label->grab(); return label->ShownText(); },
             [&] { return label->toolTip(); }},
        };
        w.RunCommand(1100);   // the mother in the panel too
        for (const Place& place : places) {
            EXPECT_EQ(place.shown(), "PL 0154 2019\nPL-0154-19-0054") << place.name;
            EXPECT_EQ(place.tip(), QString()) << place.name;
        }
        return IDCANCEL;
    });
    CDrzewoGenealogicznePsa::ShowFor(nullptr, bird);
    ASSERT_EQ(seams::ModalRuns().size(), 1u);
}

}  // namespace
