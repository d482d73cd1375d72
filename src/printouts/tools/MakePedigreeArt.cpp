// Draws the pictures that come with the pedigree templates and renders the templates'
// thumbnails, into a data/pedigrees folder of the source tree:
//
//   make_pedigree_art <repository>/resources/install/data/pedigrees
//
// img/male.jpg, img/female.jpg and img/blank.jpg, background/1.jpg .. 6.jpg, and
// thumbnails/<name>.jpg: each template filled with a sample loft of five generations, shown by
// the program's web engine at the size of an A4 sheet and scaled down, so a thumbnail is the
// real page. The outputs are committed; run it again after changing a template or a drawing.

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <cmath>
#include <cstdio>
#include <vector>

#include "DataStore.h"
#include "Pedigree.h"
#include "PedigreeTemplateText.h"
#include "SharedRoutines.h"

namespace {

constexpr int kJpegQuality = 88;

bool Save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const bool ok = image.save(path, "JPG", kJpegQuality);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

QImage Canvas(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// The sex symbols: a ring with an arrow for the cock, a ring with a cross for the hen.
QImage SexSymbol(bool male) {
    QImage image = Canvas(120, 120, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = male ? QColor(0x2f, 0x6f, 0xc4) : QColor(0xc4, 0x48, 0x6f);
    p.setPen(QPen(colour, 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (male) {
        p.drawEllipse(QPointF(50, 70), 28, 28);
        p.drawLine(QPointF(70, 50), QPointF(100, 20));
        p.drawLine(QPointF(100, 20), QPointF(74, 20));
        p.drawLine(QPointF(100, 20), QPointF(100, 46));
    } else {
        p.drawEllipse(QPointF(60, 45), 30, 30);
        p.drawLine(QPointF(60, 75), QPointF(60, 112));
        p.drawLine(QPointF(44, 96), QPointF(76, 96));
    }
    return image;
}

// A photo frame with a pigeon's outline, for birds without a photograph.
QImage BlankPhoto() {
    QImage image = Canvas(400, 400, QColor(0xf1, 0xf3, 0xf6));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xc9, 0xd0, 0xda), 6));
    p.drawRect(QRectF(10, 10, 380, 380));
    QPainterPath bird;
    bird.moveTo(120, 250);
    bird.cubicTo(110, 200, 150, 150, 200, 150);    // back
    bird.cubicTo(215, 110, 250, 95, 270, 115);     // head
    bird.cubicTo(280, 120, 292, 126, 300, 130);    // beak
    bird.cubicTo(285, 135, 275, 140, 268, 150);
    bird.cubicTo(290, 200, 270, 260, 215, 275);    // breast
    bird.cubicTo(190, 282, 160, 280, 140, 272);
    bird.lineTo(70, 300);                           // tail
    bird.lineTo(80, 280);
    bird.closeSubpath();
    p.setPen(QPen(QColor(0xb4, 0xbe, 0xcc), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xe2, 0xe7, 0xee));
    p.drawPath(bird);
    p.drawLine(QPointF(195, 278), QPointF(190, 320));
    p.drawLine(QPointF(215, 274), QPointF(222, 320));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(26);
    p.setFont(font);
    p.setPen(QColor(0xa0, 0xaa, 0xb8));
    p.drawText(QRectF(0, 330, 400, 40), Qt::AlignCenter, QStringLiteral("brak zdjęcia"));
    return image;
}

// Six quiet sheets: pale enough to print text over, made to stand being stretched to either
// orientation of the page.
QImage Background(int number) {
    const int w = 1240, h = 1754;
    QImage image = Canvas(w, h, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator random(static_cast<quint32>(number * 7919));
    switch (number) {
    case 1: {  // parchment
        QRadialGradient g(w / 2.0, h / 2.0, h * 0.75);
        g.setColorAt(0, QColor(0xfd, 0xf8, 0xec));
        g.setColorAt(1, QColor(0xef, 0xe2, 0xc4));
        p.fillRect(image.rect(), g);
        for (int i = 0; i < 9000; ++i) {
            const int shade = random.bounded(8);
            p.setPen(QColor(0xe0 + shade, 0xd2 + shade, 0xb0 + shade, 60));
            p.drawPoint(random.bounded(w), random.bounded(h));
        }
        break;
    }
    case 2: {  // sky with fine diagonal lines
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0, QColor(0xe6, 0xf0, 0xfb));
        g.setColorAt(1, QColor(0xfb, 0xfd, 0xff));
        p.fillRect(image.rect(), g);
        p.setPen(QPen(QColor(0xd4, 0xe3, 0xf5), 2));
        for (int x = -h; x < w; x += 28) p.drawLine(x, h, x + h, 0);
        break;
    }
    case 3: {  // cream with a double frame and corner ornaments
        p.fillRect(image.rect(), QColor(0xfc, 0xf9, 0xf1));
        const QColor ink(0xc9, 0xb0, 0x86);
        p.setPen(QPen(ink, 8));
        p.drawRect(QRectF(40, 40, w - 80, h - 80));
        p.setPen(QPen(ink, 3));
        p.drawRect(QRectF(62, 62, w - 124, h - 124));
        for (const QPointF c : {QPointF(62, 62), QPointF(w - 62, 62), QPointF(62, h - 62),
                                QPointF(w - 62, h - 62)}) {
            p.drawEllipse(c, 40, 40);
            p.drawEllipse(c, 22, 22);
        }
        break;
    }
    case 4: {  // a large faint feather
        p.fillRect(image.rect(), QColor(0xf7, 0xf9, 0xfb));
        p.translate(w * 0.62, h * 0.58);
        p.rotate(-32);
        p.setPen(QPen(QColor(0xdc, 0xe3, 0xec), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -700), QPointF(0, 700));
        p.setPen(QPen(QColor(0xe3, 0xe9, 0xf0), 3, Qt::SolidLine, Qt::RoundCap));
        for (int y = -640; y < 640; y += 16) {
            const double span = 260 * std::sqrt(1.0 - (y / 700.0) * (y / 700.0));
            QPainterPath barb;
            barb.moveTo(0, y);
            barb.quadTo(span * 0.5, y - 40, span, y - 110);
            barb.moveTo(0, y);
            barb.quadTo(-span * 0.5, y - 40, -span, y - 110);
            p.drawPath(barb);
        }
        break;
    }
    case 5: {  // a rosette of fine curves in the middle
        p.fillRect(image.rect(), QColor(0xf8, 0xfb, 0xf6));
        p.setPen(QPen(QColor(0xd8, 0xe6, 0xd2), 2));
        const QPointF centre(w / 2.0, h / 2.0);
        for (int ring = 0; ring < 14; ++ring) {
            QPainterPath path;
            const double base = 180 + ring * 28;
            for (int step = 0; step <= 720; ++step) {
                const double a = step * M_PI / 360.0;
                const double r = base + 22 * std::sin(12 * a + ring * 0.45);
                const QPointF point(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
                if (step == 0) path.moveTo(point); else path.lineTo(point);
            }
            p.drawPath(path);
        }
        break;
    }
    default: {  // fine squared paper
        p.fillRect(image.rect(), QColor(0xf6, 0xf8, 0xf7));
        for (int x = 0; x < w; x += 31) {
            p.setPen(QPen(QColor(0xe1, 0xe8, 0xe5), (x / 31) % 5 == 0 ? 3 : 1));
            p.drawLine(x, 0, x, h);
        }
        for (int y = 0; y < h; y += 31) {
            p.setPen(QPen(QColor(0xe1, 0xe8, 0xe5), (y / 31) % 5 == 0 ? 3 : 1));
            p.drawLine(0, y, w, y);
        }
        break;
    }
    }
    return image;
}

// The id the store gave a dictionary entry of that name, 0 when none.
int IdOf(const NameMap& names, const Text& name) {
    for (const auto& [id, entry] : names) {
        if (id > 0 && entry == name) return id;
    }
    return 0;
}

// A loft of five generations with names, colours, breeds, breeders and notes, written through
// the store into the install folder of its own (the files are made by the first load).
bool SampleLoft(CDataStore& store, PedigreeAncestors& ancestors, int& breederId) {
    if (!EnsureDbFolders() || !store.LoadLofts() || !store.LoadPigeonsDb(-1) ||
        !store.LoadExtraDb(-1))
        return false;
    const char16_t* names[] = {u"Błyskawica", u"Orzeł", u"Perła", u"Grom", u"Iskra",
                               u"Sokół", u"Gwiazda", u"Wicher", u"Jaskółka"};
    const char16_t* colours[] = {u"niebieski", u"niebieski nakrapiany", u"czerwony",
                                 u"szpakowaty", u"ciemny"};
    const char16_t* breeds[] = {u"Janssen", u"Van Loon", u"Sion"};
    for (const char16_t* colour : colours) {
        if (!store.AddColour(0, colour)) return false;
    }
    for (const char16_t* breed : breeds) {
        if (!store.AddBreed(0, breed)) return false;
    }
    PersonRecord breeder;
    breeder.imie = u"Jan";
    breeder.nazwisko = u"Kowalski";
    breeder.ulica = u"ul. Gołębia";
    breeder.nrdomu = u"12";
    breeder.kodpocztowy = u"62-300";
    breeder.miejscowosc = u"Września";
    breeder.teldom = u"61 436 12 34";
    breeder.telkom = u"601 234 567";
    if (!store.WriteBreeder(WriteMode::Insert, breeder)) return false;
    breederId = breeder.id;
    // The birds first, then their parents: a parent must exist before a bird names it.
    std::vector<PigeonRecord> birds(kPedigreeSlotCount);
    for (int slot = 0; slot < kPedigreeSlotCount; ++slot) {
        PigeonRecord& bird = birds[slot];
        bird.kraj = u"PL";
        bird.oddzial = NumberText(100 + slot * 7 % 300);
        bird.rocznik = NumberText(2022 - (slot == 0 ? 0 : static_cast<int>(std::log2(slot + 1)) * 3));
        bird.nr_obraczki = NumberText(1000 + slot * 137);
        if (slot % 3 != 2) bird.nazwa = names[slot % 9];
        bird.plec = slot == 0 ? 1 : (slot % 2 == 1 ? 1 : 2);
        bird.id_koloru = IdOf(store.ColourNames(), colours[slot % 5]);
        bird.id_rasy = IdOf(store.BreedNames(), breeds[slot % 3]);
        bird.id_hodowcy = breederId;
        Text note = u"1. nagroda Wrocław 2019, 512 km\n2. miejsce Poznań 2020\n"
                    u"As lotowy okręgu\nOjciec wielu zwycięzców\nBardzo dobry rozpłodowiec\n"
                    u"Lotował 5 sezonów\nPiękne upierzenie\nSpokojny charakter\n"
                    u"Syn najlepszej pary\nWynik 9\nWynik 10\nWynik 11\nWynik 12";
        bird.NotatkaRodowodowa0 = bird.NotatkaRodowodowa1 = bird.NotatkaRodowodowa2 = note;
        bird.NotatkaRodowodowa3 = bird.NotatkaRodowodowa4 = note;
        if (!store.WritePigeon(WriteMode::Insert, bird)) return false;
    }
    for (int slot = 0; 2 * slot + 2 < kPedigreeSlotCount; ++slot) {
        PigeonRecord& bird = birds[slot];
        bird.id_ojca = birds[2 * slot + 1].id;
        bird.id_matki = birds[2 * slot + 2].id;
        if (!store.WritePigeon(WriteMode::Update, bird)) return false;
    }
    ancestors[0] = store.FindPigeon(birds[0].id);
    FillPedigreeAncestors(ancestors, store);
    return true;
}

bool WaitFor(QWebEngineView& view, const QString& path) {
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool loaded) {
        ok = loaded;
        loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    view.load(QUrl::fromLocalFile(path));
    loop.exec();
    // Pictures and fonts settle after the load.
    QTimer::singleShot(800, &loop, &QEventLoop::quit);
    loop.exec();
    return ok;
}

QImage Thumbnail(const QImage& pageImage) {
    QImage thumb = Canvas(300, 300, QColor(0xe4, 0xe8, 0xee));
    const QImage scaled = pageImage.scaled(276, 276, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter p(&thumb);
    const QPoint at((300 - scaled.width()) / 2, (300 - scaled.height()) / 2);
    p.fillRect(QRect(at + QPoint(3, 3), scaled.size()), QColor(0xb8, 0xc0, 0xcc));
    p.drawImage(at, scaled);
    p.setPen(QColor(0x9a, 0xa4, 0xb2));
    p.drawRect(QRect(at, scaled.size()).adjusted(0, 0, -1, -1));
    return thumb;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pedigree_art <resources/install/data/pedigrees>\n");
        return 2;
    }
    const QString source = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    bool ok = Save(SexSymbol(true), source + "/img/male.jpg");
    ok &= Save(SexSymbol(false), source + "/img/female.jpg");
    ok &= Save(BlankPhoto(), source + "/img/blank.jpg");
    for (int n = 1; n <= 6; ++n) ok &= Save(Background(n), source + QString("/background/%1.jpg").arg(n));

    // The templates as the program lays them out, in an install folder of their own.
    QTemporaryDir install;
    SetInstallPath(install.path().toStdU16String());
    const QString target = QString::fromStdU16String(PedigreeFolder());
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString relative = QDir(source).relativeFilePath(file);
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        QDir().mkpath(QFileInfo(target + "/" + relative).absolutePath());
        QFile out(target + "/" + relative);
        out.open(QIODevice::WriteOnly);
        out.write(InstalledForm("data/pedigrees/" + relative, in.readAll()));
    }

    CDataStore store;
    PedigreeAncestors ancestors;
    int breederId = 0;
    if (!SampleLoft(store, ancestors, breederId)) {
        std::fprintf(stderr, "cannot write the sample loft\n");
        return 1;
    }
    PedigreeChoices choices;
    choices.breeder = &store.FindBreeder(breederId);
    for (int layout = 0; layout < kPedigreeLayoutCount; ++layout) {
        choices.layout = layout;
        const Text page = JoinPath(PedigreeFolder(), u"thumbnail.html");
        if (RenderPedigreePage(page, ancestors, choices, store) != PedigreeResult::Written) {
            std::fprintf(stderr, "cannot render layout %d\n", layout);
            return 1;
        }
        const bool landscape = layout <= 1;
        QWebEngineView view;
        view.resize(landscape ? QSize(1123, 794) : QSize(794, 1123));
        view.show();
        if (!WaitFor(view, QString::fromStdU16String(page))) {
            std::fprintf(stderr, "cannot show layout %d\n", layout);
            return 1;
        }
        const QImage shot = view.grab().toImage();
        ok &= Save(Thumbnail(shot), source + "/thumbnails/" +
                                        QString::fromStdU16String(kPedigreeLayouts[layout].thumbnailFile));
        if (qEnvironmentVariableIsSet("PEDIGREE_ART_FULL"))
            shot.save(QString("/tmp/pedigree-%1.png").arg(layout));
    }
    return ok ? 0 : 1;
}
