#pragma once
// The catalogue file: theme records of nine text lines each, one after the other, with no
// header, count or separator. A record is known only by its position (the first is 0).
//
//   1  name                                   "%s \n"
//   2  Coef[0..5]                             "%f %f %f %f %f %f\n"
//   3  Coef[6..11]                            "%f %f %f %f %f %f\n"
//   4  CoefStep[0..5]                         "%f %f %f %f %f %f\n"
//   5  CoefStep[6..11]                        "%f %f %f %f %f %f\n"
//   6  Scale, signed colour factor, Step      "%f %i %f\n"
//   7  start angle, end angle, direction      "%f %f %i \n"
//   8  MaxIter, distribution, full range      "%i %i %i \n"
//   9  CentreX, CentreY                       "%f %f\n"
//
// Line ends are CR LF, so the file moves between this program and the Windows one; reading
// takes any white space, bare LF included, anywhere between values. Reals are written with
// six rounded decimals and "." whatever the locale.
//
// Every reader (listing, loading, copying) reads a record the same way, so the list's
// positions and the records read stay in step even in a damaged or hand-edited file: one
// formatted read per line, where a value that cannot be read ends that line's read, keeps
// its own and the line's later values as they were, and stays unread for the next read; a
// record begins wherever a name can be read, and reading ends when a name read finds the
// end of the text.

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace catalog {

// Names are stored by the readers in room for 79 characters; a longer run of text is read
// as several names.
inline constexpr std::size_t MaxNameLength = 79;
// The name Save refuses (byte for byte; "Noname" is a valid name).
inline constexpr const char* ReservedName = "noname";

// One record's values in the file's own terms.
struct ThemeRecord {
  std::string Name;
  std::array<float, 12> Coef{};
  std::array<float, 12> CoefStep{};
  float Scale = 0;
  int SignedFactor = 0;  // -|PaletteFactor| for palette colouring, +|PaletteFactor| for direct
  float Step = 0;
  float StartAngle = 0;
  float EndAngle = 0;
  int Direction = 0;  // 1: the palette walks backwards
  int MaxIter = 0;
  int Distribution = 0;  // 0 "Line", 1 "Square"
  int FullRange = 0;     // 1: full-range palette
  float CentreX = 0;
  float CentreY = 0;

  bool operator==(const ThemeRecord&) const = default;

  // The colouring mode travels in the factor's sign; a factor of 0 is direct colour.
  static int SignFactor(int paletteFactor, bool usePalette);
  static int Flag(bool on) { return on ? 1 : 0; }
  bool UsesPalette() const { return SignedFactor < 0; }
  // |SignedFactor|, saturated so that the most negative integer does not overflow.
  int FactorMagnitude() const;
  // Only exactly 1 switches these on.
  bool Reversed() const { return Direction == 1; }
  bool SquareDistribution() const { return Distribution == 1; }
  bool FullRangeOn() const { return FullRange == 1; }
};

// The two files, opened by bare name in the working folder unless told otherwise.
struct CatalogFiles {
  std::filesystem::path Catalogue = "catalog.dat";
  std::filesystem::path Temporary = "catalog.tmp";

  static CatalogFiles In(const std::filesystem::path& folder) {
    return {folder / "catalog.dat", folder / "catalog.tmp"};
  }
};

// The nine lines of one record exactly as the file holds them.
std::string FormatRecord(const ThemeRecord& record);

// Why a name cannot be written as it stands (the readers could not carry it back), or
// nothing when it can: it must be one word of 1 to 79 characters with no white space.
std::optional<std::string> NameProblem(const std::string& name);
inline bool IsReservedName(const std::string& name) { return name == ReservedName; }

// Appends one record at the end of the catalogue, creating the file when absent. False, with
// nothing written, when the file cannot be opened for appending, when the name is one the
// readers cannot carry (NameProblem), or when the write fails (the file then keeps its old
// length, so no half record is left behind). A file that does not end in white space (a last
// line edited by hand without its line end) gets a line end before the record.
bool AppendRecord(const ThemeRecord& record, const CatalogFiles& files = {});

// A catalogue holds far fewer bytes than this (a record takes some 400). A larger file, or one
// that never ends (a device such as /dev/zero), is not read as a catalogue, so that it cannot
// fill the memory.
inline constexpr std::size_t MostCatalogueBytes = std::size_t{64} << 20;

// The whole text of a catalogue file, or nothing when it cannot be read; *error then holds
// why, as an errno value (EISDIR for a folder, EFBIG for more than MostCatalogueBytes).
std::optional<std::string> ReadCatalogueText(const std::filesystem::path& path, int* error = nullptr);

// The names of all records in file order; nothing when the catalogue cannot be read.
std::optional<std::vector<std::string>> ListNames(const CatalogFiles& files = {});
// The same for a catalogue's text already read.
std::vector<std::string> ListNamesIn(std::string text);

// Reads records 0 to `position` in order into `dest`, each overwriting the one before, so the
// values (and name) of record `position` remain; values that cannot be read, and every value when the
// file is shorter, keep what they held before (a short file leaves its last record). A
// negative position reads nothing. False when the catalogue cannot be read.
bool ReadThrough(int position, ThemeRecord& dest, const CatalogFiles& files = {});

enum class RewriteOutcome {
  Replaced,     // the copy has taken the catalogue's place
  NoCatalogue,  // the catalogue cannot be read: nothing done, no file made
  WriteFailed,  // the copy could not be written or put in place: the catalogue is untouched
  RefusedName,  // the new name fails NameProblem: nothing done
};

struct RewriteResult {
  RewriteOutcome Outcome = RewriteOutcome::NoCatalogue;
  bool Found = false;  // a record stood at the position and was renamed or left out
  bool Replaced() const { return Outcome == RewriteOutcome::Replaced; }
};

// Copies every record into the temporary file, the one at `position` renamed (RenameRecord)
// or left out (DeleteRecord); no position (-1), or a position past the file's last record,
// copies them all unchanged.
// The copy reads each record into storage that is not cleared between records, so a value
// that cannot be read is written with the same value of the record before; before the first
// record that storage holds 0, except the two angles, which the caller keeps across runs in
// `startAngle` and `endAngle` and which hold the last angles copied afterwards.
// The copy is written whole and flushed to disk before one rename puts it in the catalogue's
// place, so at any moment either the old or the new catalogue is there.
RewriteResult RenameRecord(int position, const std::string& newName, float& startAngle, float& endAngle,
                           const CatalogFiles& files = {});
RewriteResult DeleteRecord(int position, float& startAngle, float& endAngle, const CatalogFiles& files = {});

}  // namespace catalog
