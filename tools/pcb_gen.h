// Writer of predecessor board files (.pcb) for tests, benchmarks and mkpcb.
//
// It lays the records out byte by byte with its own offsets, taken from the
// predecessor's section writers, and shares no code with the reader: a layout
// slip on either side then shows as a test failure instead of cancelling out.
// Everything is little-endian, as the file is.
//
// A board is described by value records (`Board`), turned into sections
// (`BoardSections`) and then into a file (`BuildFile`): a 16-byte header whose
// second word is N = number of directory entries + 1, the directory, and the
// sections' data in directory order. Damaged variants are made by changing
// sections before the file is built, or by patching the built bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pcbgen {

using Bytes = std::vector<uint8_t>;

// ---- Section ids -----------------------------------------------------------
enum : int32_t {
    SEC_CI = 10, SEC_CL = 20, SEC_CC = 30, SEC_VIATBL = 40, SEC_FLASHTBL = 50,
    SEC_LINETBL = 60, SEC_LEVELTBL = 70, SEC_FONT = 80, SEC_VIAS = 201,
    SEC_LINES = 301, SEC_TEXTS = 400, SEC_FILLS = 501, SEC_SHAPES = 601,
    SEC_PARTS = 701, SEC_INNER = 901, SEC_SIGNALTBL = 1001, SEC_LINES2 = 1200,
    SEC_FLASHDATA = 1300,
};

// ---- Records, in the file's own terms --------------------------------------

struct Line {                 // 44 bytes: graphic and shape lines
    uint16_t flags = 8;       // bits 0-3 type, 7 arc, 8/9 end marks, 10-11 taper head, 14 continuation
    int32_t sx = 0, sy = 0, ex = 0, ey = 0;
    int32_t cx = 0, cy = 0, r = 0;
    uint16_t level = 1, lineNo = 1, value = 0, w38 = 0xFFFF, w42 = 0xFFFF;
};

struct Text {                 // 96 bytes as read (98 as the section writer writes)
    uint16_t flags = 0;
    int32_t c4[2] = {}, c12[2] = {}, c20[2] = {}, c28[2] = {};  // four corner pairs
    int32_t x = 0, y = 0, height = 100000;
    uint16_t level = 1, textLineNo = 1, mirror = 0, angle = 0;
    std::vector<uint16_t> codes;  // at most 16
    uint16_t value = 0;
};

struct Via {                  // 32 bytes: VIAs, shape pins, part pins
    uint16_t flags = 0;
    int32_t x = 0, y = 0;
    uint16_t viaNo = 1;
    uint16_t w14 = 0xFFFF;    // part pins: the part ordinal
    uint16_t w16 = 0;         // VIAs: link value; part pins: engine word 38
    uint16_t w18 = 0xFFFF;
    std::string text;         // at most 7 characters
    uint16_t w28 = 0xFFFF;
};

struct Flash {                // 32 bytes: flash data
    uint16_t flags = 0;
    int32_t x = 0, y = 0;
    uint16_t w12 = 129, w16 = 0, w18 = 0xFFFF;
    uint16_t owner = 1;       // 1 free flash, 2 flash of a part pin
    uint16_t number = 0xFFFF; // VIA number or pin number
    uint16_t w28 = 0xFFFF;
    uint16_t level = 1;
};

struct Outline {              // 44 bytes: one edge of a fill contour
    uint16_t flags = 0x2008;  // 7 arc, 9 last of a contour, 12 ends exchanged, 14-15 deleted
    int32_t sx = 0, sy = 0, ex = 0, ey = 0;
    int32_t d20 = 0, d24 = 0; // straight: end - start; arc: centre
    int32_t r = 0;
    uint16_t level = 1, w34 = 1, w36 = 0;
};

struct Fill {                 // 32-byte header + outline records
    uint16_t flags = 8;       // bits 0-3 type (1 marks the page), 14-15 deleted
    uint16_t hatch = 0, ordinal = 0, level = 1, w14 = 1, w16 = 0, w18 = 0;
    int16_t holes = 0;        // as written; the reader counts the contours itself
    int16_t key24 = 0;        // shape fills: passed to the shape fill page
    std::vector<Outline> outline;
    int32_t lastOverride = -1; // >= 0: written as the last outline index instead
};

struct Shape {                // 50 bytes + sub-records
    std::string name;         // at most 9 characters
    int32_t v[5] = {};
    uint16_t w46 = 0;
    std::vector<Via> pins;
    std::vector<Line> lines;
    std::vector<Text> texts;
    std::vector<Fill> fills;
};

struct Part {                 // 100 bytes + 32-byte pins
    uint16_t flags = 0;
    int32_t corner[4][2] = {}; // as written: fourth, first, third, second corner
    int32_t ox = 0, oy = 0;
    uint16_t mirror = 0, angle = 0;
    uint16_t shapeIndex = 0;
    std::string assign, name; // at most 9 and 13 characters
    std::vector<Via> pins;
    uint16_t pinFirst = 0xFFFF, pinLast = 0xFFFF; // filled in by BoardSections
};

struct LevelRec { int16_t status = 0; std::string name; uint16_t w10 = 0; int16_t kind = 1; uint16_t w14 = 0; };
struct LineTblRec { int32_t width = 0; uint16_t w4 = 0, w6 = 0; };
struct FlashTblRec { int32_t x = 0, y = 0; uint16_t form = 0, option = 0, dcode = 0; };
struct ViaTblRec { int32_t hole = 0; uint8_t flash[65] = {}; int16_t w264 = 0, w266 = 0; };
struct Glyph {
    uint16_t code = 0;
    std::vector<std::pair<int8_t, int8_t>> points;  // at most 49
    int countOverride = 1000;  // other than 1000: written as the point count byte
};
struct InnerRec { uint16_t w0 = 0; int16_t w2 = 0; std::string name; int16_t w20 = 0; int16_t v[16] = {}; };

struct Board {
    Bytes ci, cl, cc;         // settings blocks, written whole (400, 800, 1600 bytes by default)
    std::vector<LevelRec> levels;
    std::vector<LineTblRec> lineTbl;
    std::vector<FlashTblRec> flashTbl;
    std::vector<ViaTblRec> viaTbl;
    std::vector<Glyph> glyphs;
    std::vector<InnerRec> inner;
    std::vector<Via> vias;
    std::vector<Line> lines, lines2;
    std::vector<Text> texts;
    std::vector<Fill> fills;
    std::vector<Shape> shapes;
    std::vector<Part> parts;
    std::vector<Flash> flashes;
    int textSize = 96;        // bytes per text record (board texts)
    int shapeTextSize = 96;   // bytes per shape text record
};

struct Section {
    int32_t id = 0, recSize = 0, count = 0;
    Bytes data;
};

// ---- Building ---------------------------------------------------------------

Bytes LineRecord(const Line&);
Bytes TextRecord(const Text&, int size);
Bytes ViaRecord(const Via&);
Bytes FlashRecord(const Flash&);
Bytes FillRecords(const Fill&);
Bytes ShapeRecord(const Shape&, const uint16_t pairs[8]);
Bytes PartRecord(const Part&, uint16_t ordinal, const uint16_t pairs[8]);

// Sections of the board in the order the section writers use (tables first,
// then shapes, lines, texts, VIAs, flash data, fills, parts). Empty element
// sections are left out; the table sections are written when they hold records.
// Fills in the parts' pin ranges (pinFirst, pinLast) as a side effect.
std::vector<Section> BoardSections(Board& board);

// Header + directory + data. `unitsOverride` >= 0 replaces N in the header.
Bytes BuildFile(const std::vector<Section>& sections, int32_t unitsOverride = -1);

// Directory entry k (1-based) of a built file: field 0 id, 1 record size,
// 2 count, 3 offset.
void PatchEntry(Bytes& file, int k, int field, int32_t value);
int32_t EntryField(const Bytes& file, int k, int field);
// The 1-based directory entry of section `id` in a built file, 0 when none.
int FindEntry(const Bytes& file, int32_t id);

// ---- Boards -----------------------------------------------------------------

// A believable small board: 8 levels, line, flash and VIA tables, a few glyphs,
// inner layers, graphic lines with a taper chain and arcs, texts, VIAs, fills
// with holes and arcs, four shapes with pins, lines, texts and fills, a dozen
// parts with pins, free and pin flashes.
Board SampleBoard();
// A board of about `elements` element records (lines, texts, VIAs, fills,
// parts with pins, flashes) for benchmarks; deterministic.
Board LargeBoard(int elements);

// The sample board as a file, whole ("sample") or damaged, by name:
//   "truncated"     the file cut in the middle of the part section
//   "bad-recsize"   the graphic line section's directory record size 40 (< 44)
//   "count-past"    the VIA section's count reaching past the end of the file
//   "index-past"    a part naming shape record 99 and a VIA flash number 200
//   "short-section" the text section last in the file, its bytes cut short
//   "text98"        texts and shape texts written with 98 bytes, as the
//                   section writer writes them (directory record size 98)
// Returns an empty file for an unknown name.
Bytes SampleVariant(const std::string& name);
extern const char* const VARIANT_NAMES[7];

// Settings-block words that the completion reads, set to recognisable values.
void PutCI(Board& b, int word, int16_t value);
void PutCL(Board& b, int word, int32_t value);
void PutCC(Board& b, int offset, const std::string& text);

bool WriteFileBytes(const std::string& path, const Bytes& bytes);

}  // namespace pcbgen
