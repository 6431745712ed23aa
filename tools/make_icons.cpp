// Draws Tellaro Explorer's icons and cursors and writes them as .ico and
// .cur files. The images are generated rather than kept only as binaries
// so that they can be reviewed and changed as code.
//
// Regenerate the files in res/ with:
//   g++ -std=c++17 -O2 tools/make_icons.cpp -o /tmp/make_icons && /tmp/make_icons res
//
// Every image is a 32-bit BGRA DIB with an AND mask. Windows XP and later
// draw the alpha channel; the mask is what the tree's 8-bit image lists
// and older drawing paths use, so a pixel is either kept (mask 0) or fully
// transparent (mask 1, colour 0): a transparent pixel with colour left in
// it would be XORed onto the screen by those paths.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

constexpr Rgba rgb(unsigned hex, uint8_t alpha = 255)
{
    return Rgba{uint8_t(hex >> 16), uint8_t(hex >> 8), uint8_t(hex), alpha};
}

const Rgba kTransparent{};

class Image {
public:
    explicit Image(int size) : size_(size), pixels_(size_t(size) * size) {}

    int size() const { return size_; }

    const Rgba& at(int x, int y) const { return pixels_[size_t(y) * size_ + x]; }

    // Paints src over the pixel with the given coverage (0..1).
    void blend(int x, int y, Rgba src, double coverage = 1.0)
    {
        if (x < 0 || y < 0 || x >= size_ || y >= size_) return;
        Rgba& dst = pixels_[size_t(y) * size_ + x];
        double sa = src.a / 255.0 * std::clamp(coverage, 0.0, 1.0);
        if (sa <= 0) return;
        double da = dst.a / 255.0;
        double oa = sa + da * (1 - sa);
        auto mix = [&](uint8_t s, uint8_t d) {
            return uint8_t(std::lround((s * sa + d * da * (1 - sa)) / oa));
        };
        dst = Rgba{mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b),
                   uint8_t(std::lround(oa * 255))};
    }

    // Inclusive pixel rectangle.
    void fill(int x0, int y0, int x1, int y1, Rgba c)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) blend(x, y, c);
    }

    // Vertical gradient from top colour to bottom colour, inclusive.
    void gradient(int x0, int y0, int x1, int y1, Rgba top, Rgba bottom)
    {
        for (int y = y0; y <= y1; ++y) {
            double t = y1 == y0 ? 0.0 : double(y - y0) / (y1 - y0);
            auto lerp = [t](uint8_t a, uint8_t b) { return uint8_t(std::lround(a + (b - a) * t)); };
            Rgba c{lerp(top.r, bottom.r), lerp(top.g, bottom.g), lerp(top.b, bottom.b),
                   lerp(top.a, bottom.a)};
            for (int x = x0; x <= x1; ++x) blend(x, y, c);
        }
    }

    // Fills the points (in pixel units, pixel centres at +0.5) for which
    // inside() holds, with 4x4 supersampling for smooth edges.
    void shape(const std::function<bool(double, double)>& inside, Rgba c)
    {
        constexpr int n = 4;
        for (int y = 0; y < size_; ++y)
            for (int x = 0; x < size_; ++x) {
                int hits = 0;
                for (int sy = 0; sy < n; ++sy)
                    for (int sx = 0; sx < n; ++sx)
                        if (inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n)) ++hits;
                if (hits) blend(x, y, c, double(hits) / (n * n));
            }
    }

    // Draws a picture given as text rows: each character names a colour
    // in the palette; characters missing from it stay transparent.
    void art(int left, int top, const std::vector<std::string>& rows,
             const std::function<bool(char, Rgba&)>& palette)
    {
        for (size_t y = 0; y < rows.size(); ++y)
            for (size_t x = 0; x < rows[y].size(); ++x) {
                Rgba c;
                if (palette(rows[y][x], c)) blend(left + int(x), top + int(y), c);
            }
    }

private:
    int size_;
    std::vector<Rgba> pixels_;
};

// ---------------------------------------------------------------------------
// Geometry helpers

bool inTriangle(double px, double py, double ax, double ay, double bx, double by, double cx,
                double cy)
{
    auto side = [](double x0, double y0, double x1, double y1, double x, double y) {
        return (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0);
    };
    double d1 = side(ax, ay, bx, by, px, py);
    double d2 = side(bx, by, cx, cy, px, py);
    double d3 = side(cx, cy, ax, ay, px, py);
    bool neg = d1 < 0 || d2 < 0 || d3 < 0;
    bool pos = d1 > 0 || d2 > 0 || d3 > 0;
    return !(neg && pos);
}

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by)
{
    double vx = bx - ax, vy = by - ay;
    double t = ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy);
    t = std::clamp(t, 0.0, 1.0);
    double dx = px - (ax + t * vx), dy = py - (ay + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

// Design coordinates are on a 16-unit grid; unit u covers the pixels from
// lo(u) to hi(u), its edges rounded to whole pixels, so outlines stay one
// pixel wide at every size while the shapes grow. At 20 and 24 pixels a
// unit is one or two pixels wide, so thin lines that must match each other
// take a fixed width, stroke(), instead of a unit's.
struct Grid {
    int size;
    double scale() const { return size / 16.0; }
    int lo(int u) const { return (u * size + 8) / 16; }
    int hi(int u) const { return lo(u + 1) - 1; }
    int stroke() const { return (size + 7) / 16; }
};

// ---------------------------------------------------------------------------
// Folder, the common element of several icons

struct FolderColors {
    Rgba outline, back, frontTop, frontBottom, shine;
};

const FolderColors kYellowFolder{rgb(0x8a6212), rgb(0xe0a82e), rgb(0xffe08a), rgb(0xf2bd3c),
                                 rgb(0xfff4cc)};
const FolderColors kOrangeFolder{rgb(0x7a4a10), rgb(0xc98a24), rgb(0xf7c667), rgb(0xdc9a2c),
                                 rgb(0xffe6b0)};

// A folder whose outer bounds are the design units [x0, x1] x [y0, y1]:
// a tab on the top left, the back panel, and a lighter front flap.
void drawFolder(Image& img, const Grid& g, int x0, int y0, int x1, int y1, const FolderColors& c)
{
    int tabRight = x0 + (x1 - x0) * 2 / 5;
    // Tab and back panel, outline first, then their insides.
    img.fill(g.lo(x0), g.lo(y0), g.hi(tabRight), g.hi(y0 + 1), c.outline);
    img.fill(g.lo(x0), g.lo(y0 + 1), g.hi(x1), g.hi(y1), c.outline);
    img.fill(g.lo(x0) + 1, g.lo(y0) + 1, g.hi(tabRight) - 1, g.hi(y0 + 1), c.back);
    img.fill(g.lo(x0) + 1, g.lo(y0 + 1) + 1, g.hi(x1) - 1, g.hi(y1) - 1, c.back);
    // Front flap: starts two units lower, its top edge drawn in the outline
    // colour with a bright line under it.
    int flapTop = g.lo(y0 + 3);
    img.fill(g.lo(x0), flapTop, g.hi(x1), flapTop, c.outline);
    img.gradient(g.lo(x0) + 1, flapTop + 1, g.hi(x1) - 1, g.hi(y1) - 1, c.frontTop, c.frontBottom);
    img.fill(g.lo(x0) + 1, flapTop + 1, g.hi(x1) - 1, flapTop + 1, c.shine);
}

// ---------------------------------------------------------------------------
// The icons

// The program: a folder with a round blue "go" badge, so that it is told
// apart from the plain folder of the tree.
void drawProgram(Image& img)
{
    Grid g{img.size()};
    drawFolder(img, g, 0, 1, 14, 13, kYellowFolder);
    // Up to 24 pixels too small for smooth shapes: a hand-placed badge in
    // the bottom right corner keeps the arrow readable.
    static const std::vector<std::string> kBadge16{
        "  XXXXX",
        " XbbbbbX",
        "XbbbWbbbX",
        "XbbbWWbbX",
        "XbWWWWWbX",
        "XbbbWWbbX",
        "XbbbWbbbX",
        " XbbbbbX",
        "  XXXXX",
    };
    static const std::vector<std::string> kBadge20{
        "   XXXXX",
        " XXbbbbbXX",
        " XbbbbbbbX",
        "XbbbbbWbbbX",
        "XbbbbbWWbbX",
        "XbWWWWWWWbX",
        "XbbbbbWWbbX",
        "XbbbbbWbbbX",
        " XbbbbbbbX",
        " XXbbbbbXX",
        "   XXXXX",
    };
    static const std::vector<std::string> kBadge24{
        "    XXXXX",
        "  XXbbbbbXX",
        " XbbbbbbbbbX",
        " XbbbbbWbbbX",
        "XbbbbbbWWbbbX",
        "XbbbbbbWWWbbX",
        "XbWWWWWWWWWbX",
        "XbbbbbbWWWbbX",
        "XbbbbbbWWbbbX",
        " XbbbbbWbbbX",
        " XbbbbbbbbbX",
        "  XXbbbbbXX",
        "    XXXXX",
    };
    const std::vector<std::string>* badge = img.size() == 16   ? &kBadge16
                                            : img.size() == 20 ? &kBadge20
                                            : img.size() == 24 ? &kBadge24
                                                               : nullptr;
    if (badge != nullptr) {
        const int at = img.size() - int(badge->size());
        img.art(at, at, *badge, [](char ch, Rgba& c) {
            if (ch == 'X') c = rgb(0x123f8c);
            else if (ch == 'b') c = rgb(0x2f74d8);
            else if (ch == 'W') c = rgb(0xffffff);
            else return false;
            return true;
        });
        return;
    }
    double s = g.scale();
    double cx = 11.5 * s, cy = 11.5 * s, r = 4.4 * s;
    img.shape([&](double x, double y) { return std::hypot(x - cx, y - cy) <= r; },
              rgb(0x123f8c));
    img.shape([&](double x, double y) { return std::hypot(x - cx, y - cy) <= r - 1.0; },
              rgb(0x2f74d8));
    // White arrow pointing right: a shaft and a head.
    double head = 1.9 * s;
    img.shape(
        [&](double x, double y) {
            bool shaft = x >= cx - 2.4 * s && x <= cx + 0.4 * s && std::fabs(y - cy) <= 0.55 * s;
            bool tip = inTriangle(x, y, cx - 0.2 * s, cy - head, cx + 2.5 * s, cy, cx - 0.2 * s,
                                  cy + head);
            return shaft || tip;
        },
        rgb(0xffffff));
}

// The menu root: a small popup menu with a title strip, three entries and
// the middle one highlighted.
void drawMenuRoot(Image& img)
{
    Grid g{img.size()};
    img.fill(g.lo(1), g.lo(1), g.hi(14), g.hi(14), rgb(0x4a4a4a));
    img.fill(g.lo(1) + 1, g.lo(1) + 1, g.hi(14) - 1, g.hi(14) - 1, rgb(0xffffff));
    img.gradient(g.lo(1) + 1, g.lo(1) + 1, g.hi(14) - 1, g.hi(3), rgb(0x3b7be0), rgb(0x1a4aa8));
    img.fill(g.lo(2), g.lo(8), g.hi(13), g.hi(10), rgb(0x2f6fd6));
    const int rows[] = {5, 9, 12};
    const int t = g.stroke();
    for (int row : rows) {
        bool selected = row == 9;
        // A small bullet and a line of "text" per entry, a stroke high; the
        // bullet is two strokes wide, less a pixel where that leaves a gap.
        const int y = g.lo(row);
        img.fill(g.lo(3), y, g.lo(3) + 2 * t - (t > 1 ? 2 : 1), y + t - 1,
                 selected ? rgb(0xffffff) : rgb(0xe0a82e));
        img.fill(g.lo(6), y, g.hi(12), y + t - 1, selected ? rgb(0xffffff) : rgb(0x707070));
    }
}

// A group: two folders stacked, the one behind a shade darker.
void drawGroup(Image& img)
{
    Grid g{img.size()};
    drawFolder(img, g, 4, 0, 15, 10, kOrangeFolder);
    drawFolder(img, g, 0, 4, 12, 15, kYellowFolder);
}

void drawFolderIcon(Image& img)
{
    Grid g{img.size()};
    drawFolder(img, g, 0, 2, 15, 14, kYellowFolder);
}

// A separator: an etched horizontal line with small end caps.
void drawSeparator(Image& img)
{
    Grid g{img.size()};
    const int t = g.stroke(), y = g.lo(7);
    img.fill(g.lo(1), y, g.hi(14), y + t - 1, rgb(0x5a5a5a));
    img.fill(g.lo(1), y + t, g.hi(14), y + 2 * t - 1, rgb(0xb8b8b8));
    img.fill(g.lo(1), y - t, g.lo(1) + t - 1, y + 2 * t - 1, rgb(0x5a5a5a));
    img.fill(g.hi(14) - t + 1, y - t, g.hi(14), y + 2 * t - 1, rgb(0x5a5a5a));
}

// ---------------------------------------------------------------------------
// The cursors. Windows loads a cursor at its cursor size, 32 pixels at 96
// DPI and more on denser screens; the drag cursors come in the sizes of 100,
// 150 and 200 %, drawn on a 32-unit design grid.

bool blackWhite(char ch, Rgba& c)
{
    if (ch == 'X') c = rgb(0x000000);
    else if (ch == '.') c = rgb(0xffffff);
    else return false;
    return true;
}

// A pointing hand with the tip of the index finger at (5, 0).
void drawHand(Image& img)
{
    img.art(0, 0,
            {
                "     XX",
                "    X..X",
                "    X..X",
                "    X..X",
                "    X..X",
                "    X..XXX",
                "    X..X..XXX",
                "    X..X..X..XX",
                "    X..X..X..X.X",
                "XXX X..X..X..X..X",
                "X..XX...........X",
                "X...X...........X",
                " X..............X",
                " X..............X",
                "  X.............X",
                "  X............X",
                "   X...........X",
                "   X..........X",
                "    X.........X",
                "    X.........X",
                "    XXXXXXXXXXX",
            },
            blackWhite);
}

// The ordinary arrow with its tip at (0, 0): hand-placed pixels at 32, an
// outlined polygon (corners in design units) at the larger sizes, where
// scaled pixel art would give lines of uneven width.
void drawArrow(Image& img)
{
    if (img.size() != 32) {
        static const double kOutline[][2] = {{0, 0},      {0, 17},     {4.3, 13.2},
                                             {7.6, 20.8}, {10.4, 19.6}, {7.2, 12.2},
                                             {12.2, 12.2}};
        const double k = img.size() / 32.0;
        auto inside = [&](double x, double y) {
            bool in = false;
            for (size_t i = 0, j = std::size(kOutline) - 1; i < std::size(kOutline); j = i++) {
                double xi = kOutline[i][0] * k, yi = kOutline[i][1] * k;
                double xj = kOutline[j][0] * k, yj = kOutline[j][1] * k;
                if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
            }
            return in;
        };
        auto toEdge = [&](double x, double y) {
            double d = 1e9;
            for (size_t i = 0, j = std::size(kOutline) - 1; i < std::size(kOutline); j = i++)
                d = std::min(d, distanceToSegment(x, y, kOutline[i][0] * k, kOutline[i][1] * k,
                                                  kOutline[j][0] * k, kOutline[j][1] * k));
            return d;
        };
        img.shape(inside, rgb(0x000000));
        img.shape([&](double x, double y) { return inside(x, y) && toEdge(x, y) >= k; },
                  rgb(0xffffff));
        return;
    }
    img.art(0, 0,
            {
                "X",
                "XX",
                "X.X",
                "X..X",
                "X...X",
                "X....X",
                "X.....X",
                "X......X",
                "X.......X",
                "X........X",
                "X.........X",
                "X......XXXXX",
                "X...X..X",
                "X..XX..X",
                "X.X  X..X",
                "XX   X..X",
                "X     X..X",
                "      X..X",
                "       X..X",
                "       X..X",
                "        XX",
            },
            blackWhite);
}

// A red circle with a diagonal bar, white-rimmed so it reads on any
// background; the hotspot is its centre.
constexpr int kDeniedCentre = 11;

int deniedCentre(int size) { return int((kDeniedCentre + 0.5) * size / 32); }

void drawDenied(Image& img)
{
    const double k = img.size() / 32.0;
    const double c = (kDeniedCentre + 0.5) * k, outer = 10.0 * k, inner = 6.6 * k, bar = 2.0 * k;
    auto ring = [&](double x, double y, double grow) {
        double d = std::hypot(x - c, y - c);
        return d <= outer + grow && d >= inner - grow;
    };
    auto slash = [&](double x, double y, double grow) {
        double e = (outer - 0.5 * k) / std::sqrt(2.0);
        return std::hypot(x - c, y - c) <= outer &&
               distanceToSegment(x, y, c - e, c - e, c + e, c + e) <= bar + grow;
    };
    img.shape([&](double x, double y) { return ring(x, y, k) || slash(x, y, k); },
              rgb(0xffffff));
    img.shape([&](double x, double y) { return ring(x, y, 0.0) || slash(x, y, 0.0); },
              rgb(0xc81e1e));
}

// ---------------------------------------------------------------------------
// File writing

void put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// A pixel is opaque for the mask when at least half covered; anything
// less is dropped entirely (see the note at the top of the file).
bool opaque(const Rgba& p) { return p.a >= 128; }

// The DIB of one image as stored in an icon or cursor file: header with
// doubled height, bottom-up BGRA pixels, then the bottom-up AND mask.
std::vector<uint8_t> dib(const Image& img)
{
    const int n = img.size();
    const int maskStride = ((n + 31) / 32) * 4;
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, uint32_t(n));
    put32(out, uint32_t(n * 2));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, uint32_t(n * n * 4 + maskStride * n));
    for (int i = 0; i < 4; ++i) put32(out, 0);
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) {
            Rgba p = opaque(img.at(x, y)) ? img.at(x, y) : kTransparent;
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            out.push_back(p.a);
        }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(size_t(maskStride), 0);
        for (int x = 0; x < n; ++x)
            if (!opaque(img.at(x, y))) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

struct Entry {
    Image image;
    int hotspotX = 0, hotspotY = 0;  // cursors only
};

// Icon files (type 1) store planes and bit count in the directory entry;
// cursor files (type 2) store the hotspot there instead.
bool writeFile(const std::string& path, int type, const std::vector<Entry>& entries)
{
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, unsigned(type));
    put16(out, unsigned(entries.size()));
    std::vector<std::vector<uint8_t>> images;
    for (const Entry& e : entries) images.push_back(dib(e.image));
    uint32_t offset = uint32_t(6 + 16 * entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        int n = entries[i].image.size();
        out.push_back(uint8_t(n == 256 ? 0 : n));
        out.push_back(uint8_t(n == 256 ? 0 : n));
        out.push_back(0);
        out.push_back(0);
        if (type == 1) {
            put16(out, 1);
            put16(out, 32);
        } else {
            put16(out, unsigned(entries[i].hotspotX));
            put16(out, unsigned(entries[i].hotspotY));
        }
        put32(out, uint32_t(images[i].size()));
        put32(out, offset);
        offset += uint32_t(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::fprintf(stderr, "%s: write failed\n", path.c_str());
    return ok;
}

// The small-icon sizes of 100, 125, 150 and 200 %, which are also the large
// icon's at 100 and 150 %.
const std::vector<int> kIconSizes{16, 20, 24, 32, 48};

bool writeIcon(const std::string& path, void (*draw)(Image&),
               const std::vector<int>& sizes = kIconSizes)
{
    std::vector<Entry> entries;
    for (int size : sizes) {
        Entry e{Image(size)};
        draw(e.image);
        entries.push_back(std::move(e));
    }
    return writeFile(path, 1, entries);
}

bool writeCursor(const std::string& path, void (*draw)(Image&), const std::vector<int>& sizes,
                 int (*hotspot)(int size))
{
    std::vector<Entry> entries;
    for (int size : sizes) {
        Entry e{Image(size), hotspot(size), hotspot(size)};
        draw(e.image);
        entries.push_back(std::move(e));
    }
    return writeFile(path, 2, entries);
}

void drawNothing(Image&) {}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    bool ok = true;
    // The version box shows the large icon, 64 pixels at 200 %.
    std::vector<int> programSizes = kIconSizes;
    programSizes.push_back(64);
    ok &= writeIcon(dir + "program.ico", drawProgram, programSizes);
    ok &= writeIcon(dir + "menu_root.ico", drawMenuRoot);
    ok &= writeIcon(dir + "group.ico", drawGroup);
    ok &= writeIcon(dir + "folder.ico", drawFolderIcon);
    ok &= writeIcon(dir + "separator.ico", drawSeparator);
    auto tip = [](int) { return 0; };
    // The links' pointer stays one image, which Windows stretches to the
    // cursor size: at 200 % that doubles each pixel of the hand.
    std::vector<Entry> hand{Entry{Image(32), 5, 0}};
    drawHand(hand[0].image);
    ok &= writeFile(dir + "link.cur", 2, hand);
    // The drag cursors are merged into the drag image at the cursor size.
    const std::vector<int> dragSizes{32, 48, 64};
    ok &= writeCursor(dir + "drop_allowed.cur", drawArrow, dragSizes, tip);
    ok &= writeCursor(dir + "drop_denied.cur", drawDenied, dragSizes, deniedCentre);
    // Shown while the pointer is over no node: the drag image alone, and
    // empty at every size Windows may stretch it to.
    ok &= writeCursor(dir + "drop_none.cur", drawNothing, {32}, tip);
    return ok ? 0 : 1;
}
