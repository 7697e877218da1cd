// Draws the fifteen 16 x 16 pictures of the recipe card window's formatting toolbars, as PNG
// files with an alpha channel. At this size a picture is a matter of single pixels, so they are
// placed one by one: the geometric ones with rectangles, the others from pixel maps, all in the
// few flat colours and the one-pixel dark outlines of a classic toolbar, never antialiased, on a
// transparent background. The letters are drawn by hand too, which keeps them crisp and the
// files the same whatever fonts the machine has.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <functional>
#include <initializer_list>
#include <string_view>

namespace {

constexpr int side = 16;

const QColor ink(0x00, 0x00, 0x00);
const QColor white(0xff, 0xff, 0xff);
const QColor paleGrey(0xe0, 0xe0, 0xe0);
const QColor silver(0xc0, 0xc0, 0xc0);
const QColor grey(0x80, 0x80, 0x80);
// Printed text on the pages: light enough that the outlines stay the darkest thing.
const QColor textLine(0x90, 0x98, 0xb0);

// ---- Pixel maps ----

// One character a pixel, sixteen to a row; a dot is left transparent.
using PixelMap = std::initializer_list<std::string_view>;

QColor colourOf(char code)
{
    switch (code) {
    case 'k': return ink;
    case 'w': return white;
    case 'L': return paleGrey;
    case 'l': return silver;
    case 'g': return grey;
    case 'h': return QColor(0xff, 0xf4, 0xb8); // folder, lit edge
    case 'y': return QColor(0xf8, 0xd0, 0x48); // folder, front
    case 'Y': return QColor(0xc8, 0x98, 0x20); // folder, inside
    case 'b': return QColor(0x28, 0x54, 0xc0); // disk body, arrow
    case 'B': return QColor(0x18, 0x34, 0x88); // arrow, shaded side
    case 'r': return QColor(0xc0, 0x18, 0x18); // scissor handles
    case 'G': return QColor(0x20, 0xc8, 0x30); // printer light
    default: break;
    }
    qFatal("unknown colour code '%c' in a pixel map", code);
}

void paintMap(QPainter &painter, PixelMap rows)
{
    int y = 0;
    for (const std::string_view row : rows) {
        if (row.size() != side)
            qFatal("pixel map row %d is %d pixels wide", y, int(row.size()));
        for (int x = 0; x < side; ++x) {
            if (row[x] != '.')
                painter.fillRect(x, y, 1, 1, colourOf(row[x]));
        }
        ++y;
    }
}

// ---- Shapes ----

// A rectangle in the outline colour with its inside filled, both exactly on the pixels of rect.
void box(QPainter &painter, const QRect &rect, const QColor &face)
{
    painter.fillRect(rect, ink);
    painter.fillRect(rect.adjusted(1, 1, -1, -1), face);
}

// A sheet of paper whose top right corner is folded down over it by fold pixels.
void page(QPainter &painter, const QRect &rect, int fold)
{
    const int foldLeft = rect.right() - fold;
    box(painter, rect, white);
    // Cut the corner off, then draw the diagonal edge and the flap it leaves.
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    for (int step = 0; step < fold; ++step)
        painter.fillRect(foldLeft + step + 1, rect.top() + step, fold - step, 1, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (int step = 0; step <= fold; ++step)
        painter.fillRect(foldLeft + step, rect.top() + step, 1, 1, ink);
    painter.fillRect(foldLeft, rect.top(), 1, fold + 1, ink);
    painter.fillRect(foldLeft, rect.top() + fold, fold + 1, 1, ink);
    for (int step = 2; step < fold; ++step)
        painter.fillRect(foldLeft + 1, rect.top() + step, step - 1, 1, silver);
}

// Lines of text on every other row of a page from firstRow down, which the caller puts below the
// fold; every other one stops short, so that they read as sentences rather than as a grid.
void writeOnPage(QPainter &painter, const QRect &rect, int firstRow)
{
    for (int y = firstRow, line = 0; y < rect.bottom() - 1; y += 2, ++line) {
        const int shortening = line % 2 == 1 ? 2 : 0;
        painter.fillRect(rect.left() + 2, y, rect.width() - 4 - shortening, 1, textLine);
    }
}

// ---- The pictures ----

void drawNew(QPainter &painter)
{
    page(painter, QRect(3, 1, 11, 15), 4);
}

void drawOpen(QPainter &painter)
{
    paintMap(painter, {
        "................",
        "................",
        ".kkkk...........",
        "khhhhk..........",
        "khYYYYkkkkkkk...",
        "khYYYYYYYYYYk...",
        "khYYYYYYYYYYk...",
        "khYYkkkkkkkkkkkk",
        "khYYkhhhhhhhhhhk",
        "khYkhyyyyyyyyyk.",
        "khYkyyyyyyyyyyk.",
        "khkhyyyyyyyyyk..",
        "khkyyyyyyyyyyk..",
        "kkhyyyyyyyyyk...",
        "kkkkkkkkkkkkk...",
        "................",
    });
}

void drawSave(QPainter &painter)
{
    paintMap(painter, {
        "................",
        ".kkkkkkkkkkkkk..",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwllllllwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwllllllwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkkkkkkkkkkbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbklkklllkbbk.",
        ".kbbklkklllkbbk.",
        ".kbbklkklllkbbk.",
        ".kkkkkkkkkkkkkk.",
        "................",
    });
}

void drawPrint(QPainter &painter)
{
    paintMap(painter, {
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwggggwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".kLLLLLLLLLLLLk.",
        ".kkkkkkkkkkkkkk.",
        ".kllllllllllllk.",
        ".kllllllllllGlk.",
        ".kggggggggggggk.",
        ".kkkkwwwwwwkkkk.",
        "....kwggggwk....",
        "....kwwwwwwk....",
        "....kkkkkkkk....",
        "................",
    });
}

void drawUndo(QPainter &painter)
{
    paintMap(painter, {
        "................",
        "................",
        ".....b..........",
        "....bb..........",
        "...bbb..........",
        "..bbbbbbbbbb....",
        "..BBBBBBBBBbbb..",
        "...BBB......bbB.",
        "....BB.......bB.",
        ".....B.......bB.",
        ".............bB.",
        "............bbB.",
        "........bbbbbB..",
        "........BBBB....",
        "................",
        "................",
    });
}

void drawCut(QPainter &painter)
{
    paintMap(painter, {
        ".kk..........kk.",
        ".kwk........kwk.",
        "..kwk......kwk..",
        "..kwk......kwk..",
        "...kwk....kwk...",
        "...kwk....kwk...",
        "....kwk..kwk....",
        ".....kwkkwk.....",
        "......kkkk......",
        ".....r....r.....",
        "..rrrr....rrrr..",
        ".r....r..r....r.",
        ".r....r..r....r.",
        ".r....r..r....r.",
        "..rrrr....rrrr..",
        "................",
    });
}

void drawCopy(QPainter &painter)
{
    const QRect back(1, 0, 9, 11);
    const QRect front(6, 5, 9, 11);
    page(painter, back, 3);
    writeOnPage(painter, back, 5);
    page(painter, front, 3);
    writeOnPage(painter, front, front.top() + 5);
}

void drawPaste(QPainter &painter)
{
    const QColor board(0xc8, 0x90, 0x48);
    const QColor boardEdge(0x88, 0x58, 0x20);
    box(painter, QRect(1, 2, 11, 13), boardEdge);
    painter.fillRect(QRect(3, 4, 7, 9), board);
    // The clip, with its ring above the board.
    box(painter, QRect(5, 0, 3, 3), silver);
    box(painter, QRect(3, 2, 7, 3), silver);
    const QRect sheet(7, 6, 8, 10);
    page(painter, sheet, 3);
    writeOnPage(painter, sheet, sheet.top() + 5);
}

void drawBold(QPainter &painter)
{
    paintMap(painter, {
        "................",
        "................",
        "................",
        ".....kkkkkk.....",
        "....kkkkkkkk....",
        "...kkk....kkk...",
        "...kk......kk...",
        "...kk...........",
        "...kk...kkkkk...",
        "...kk...kkkkk...",
        "...kkk.....kk...",
        "....kkkkkkkkk...",
        ".....kkkkkkk....",
        "................",
        "................",
        "................",
    });
}

void drawItalic(QPainter &painter)
{
    paintMap(painter, {
        "................",
        "................",
        "................",
        ".......kkkkk....",
        ".........kk.....",
        ".........kk.....",
        "........kk......",
        "........kk......",
        ".......kk.......",
        ".......kk.......",
        "......kk........",
        "......kk........",
        "....kkkkk.......",
        "................",
        "................",
        "................",
    });
}

void drawUnderline(QPainter &painter)
{
    paintMap(painter, {
        "................",
        "................",
        ".....kkkkkk.....",
        "....kkkkkkkk....",
        "....kk....kk....",
        "....kkk.........",
        ".....kkkkkk.....",
        "......kkkkkk....",
        ".........kkk....",
        "....kk....kk....",
        "....kkkkkkkk....",
        ".....kkkkkk.....",
        "................",
        "...kkkkkkkkkk...",
        "................",
        "................",
    });
}

// The lines of the three alignment pictures, long and short in turn so that the ragged side
// shows, each placed by align within the width of the longest.
void drawAlignedLines(QPainter &painter, Qt::Alignment align)
{
    const int lengths[] = {14, 10, 12, 8, 14, 10, 12};
    constexpr int longest = 14;
    constexpr int left = (side - longest) / 2;
    int y = 2;
    for (const int length : lengths) {
        int x = left;
        if (align & Qt::AlignRight)
            x += longest - length;
        else if (align & Qt::AlignHCenter)
            x += (longest - length) / 2;
        painter.fillRect(x, y, length, 1, ink);
        y += 2;
    }
}

void drawBullets(QPainter &painter)
{
    // Each dot is three pixels square with its corners half shaded, which reads as round.
    const QColor corner(0x00, 0x00, 0x00, 0x60);
    for (const int y : {2, 7, 12}) {
        painter.fillRect(1, y + 1, 3, 1, ink);
        painter.fillRect(2, y, 1, 3, ink);
        for (const QPoint offset : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(2, 2)})
            painter.fillRect(1 + offset.x(), y + offset.y(), 1, 1, corner);
        painter.fillRect(6, y + 1, 9, 1, ink);
    }
}

QImage draw(const std::function<void(QPainter &)> &drawing)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawing(painter);
    painter.end();
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: draw_toolbar_images <output folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "cannot create " << folder.path() << '\n';
        return 1;
    }

    // In the order of the toolbars' image list.
    const std::pair<const char *, std::function<void(QPainter &)>> pictures[] = {
        {"new.png", drawNew},
        {"open.png", drawOpen},
        {"save.png", drawSave},
        {"print.png", drawPrint},
        {"undo.png", drawUndo},
        {"cut.png", drawCut},
        {"copy.png", drawCopy},
        {"paste.png", drawPaste},
        {"bold.png", drawBold},
        {"italic.png", drawItalic},
        {"underline.png", drawUnderline},
        {"alignleft.png", [](QPainter &painter) { drawAlignedLines(painter, Qt::AlignLeft); }},
        {"center.png", [](QPainter &painter) { drawAlignedLines(painter, Qt::AlignHCenter); }},
        {"alignright.png", [](QPainter &painter) { drawAlignedLines(painter, Qt::AlignRight); }},
        {"bullets.png", drawBullets},
    };
    for (const auto &[name, drawing] : pictures) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        if (!draw(drawing).save(path, "PNG")) {
            err << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
