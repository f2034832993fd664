// The catalogue on arbitrary bytes: listing, loading, renaming and deleting must never
// crash, and a rewrite must never lose or change a record the readers could read (beyond the
// six decimals every written real carries).
//
// The input is the whole catalog.dat. Its last byte picks the position the rewrites act on
// (-1, none, up to past the end), the byte before it the new name of the rename.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzSupport.h"
#include "themes/Catalog.h"

namespace {

using catalog::ThemeRecord;

bool SameRecord(const ThemeRecord& a, const ThemeRecord& b) {
  if (a.Name != b.Name) return false;
  for (int i = 0; i < 12; ++i)
    if (!fuzz::SameFloat(a.Coef[i], b.Coef[i]) || !fuzz::SameFloat(a.CoefStep[i], b.CoefStep[i])) return false;
  return fuzz::SameFloat(a.Scale, b.Scale) && a.SignedFactor == b.SignedFactor && fuzz::SameFloat(a.Step, b.Step) &&
         fuzz::SameFloat(a.StartAngle, b.StartAngle) && fuzz::SameFloat(a.EndAngle, b.EndAngle) &&
         a.Direction == b.Direction && a.MaxIter == b.MaxIter && a.Distribution == b.Distribution &&
         a.FullRange == b.FullRange && fuzz::SameFloat(a.CentreX, b.CentreX) &&
         fuzz::SameFloat(a.CentreY, b.CentreY);
}

// A record as it reads back once written: what a copy keeps of it.
ThemeRecord Written(const ThemeRecord& r, const catalog::CatalogFiles& scratch) {
  fuzz::WriteFile(scratch.Catalogue, catalog::FormatRecord(r));
  ThemeRecord back;
  FUZZ_CHECK(catalog::ReadThrough(0, back, scratch));
  return back;
}

std::string NewName(std::uint8_t pick) {
  switch (pick % 6) {
    case 0: return "Renamed";
    case 1: return "A";
    case 2: return std::string(catalog::MaxNameLength, 'n');
    case 3: return std::string(catalog::MaxNameLength + 1, 'l');  // refused
    case 4: return "two words";                                   // refused
    default: return "noname";                                     // only Save refuses it
  }
}

// Records whose reading the checks repeat (each read runs from the file's start): all of a
// short catalogue, a sample of a long one.
std::vector<int> Sampled(int count, int position) {
  std::vector<int> picks;
  for (int i = 0; i < count; ++i)
    if (count <= 48 || i < 16 || i >= count - 8 || std::abs(i - position) <= 2) picks.push_back(i);
  return picks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path& folder = fuzz::ScratchFolder();
  const catalog::CatalogFiles files = catalog::CatalogFiles::In(folder);
  const catalog::CatalogFiles other = catalog::CatalogFiles::In(folder / "other");
  std::filesystem::create_directories(folder / "other");
  fuzz::WriteFile(files.Catalogue, bytes);

  const int position = size > 0 ? static_cast<int>(data[size - 1] % 64) - 2 : -1;
  const std::string newName = NewName(size > 1 ? data[size - 2] : 0);

  // What the readers make of the bytes.
  const auto names = catalog::ListNames(files);
  FUZZ_CHECK(names.has_value());
  const int count = static_cast<int>(names->size());
  const std::vector<int> picks = Sampled(count, position);
  std::vector<ThemeRecord> before(static_cast<std::size_t>(count));
  for (int i : picks) {
    FUZZ_CHECK(catalog::ReadThrough(i, before[i], files));
    FUZZ_CHECK(before[i].Name == (*names)[i]);
    FUZZ_CHECK(!before[i].Name.empty() && before[i].Name.size() <= catalog::MaxNameLength);
  }
  // Reading past the end leaves the last record (or nothing at all).
  ThemeRecord past;
  FUZZ_CHECK(catalog::ReadThrough(count + 3, past, files));
  if (count > 0) FUZZ_CHECK(SameRecord(past, before[count - 1]));
  FUZZ_CHECK(fuzz::ReadFile(files.Catalogue) == bytes);  // reading changes nothing

  // Saving appends one record after all the others, and changes none of them. (Its name is
  // one that no value read can take, as a cut-off last record would try.)
  {
    const catalog::CatalogFiles appended = catalog::CatalogFiles::In(folder / "append");
    std::filesystem::create_directories(folder / "append");
    fuzz::WriteFile(appended.Catalogue, bytes);
    ThemeRecord saved = before.empty() ? ThemeRecord{} : before.back();
    saved.Name = "Saved";
    FUZZ_CHECK(catalog::AppendRecord(saved, appended));
    std::vector<std::string> expectedNames = *names;
    expectedNames.push_back(saved.Name);
    FUZZ_CHECK(catalog::ListNames(appended) == expectedNames);
    ThemeRecord got;
    FUZZ_CHECK(catalog::ReadThrough(count, got, appended));
    FUZZ_CHECK(SameRecord(got, Written(saved, other)));
    for (int i : picks) {
      ThemeRecord same;
      FUZZ_CHECK(catalog::ReadThrough(i, same, appended));
      FUZZ_CHECK(SameRecord(same, before[i]));
    }
  }

  // Rename or delete at `position`, then check every record it kept.
  const bool renaming = size % 2 == 0;
  const bool inRange = position >= 0 && position < count;
  float start = 0, end = 0;
  const catalog::RewriteResult result = renaming ? catalog::RenameRecord(position, newName, start, end, files)
                                                 : catalog::DeleteRecord(position, start, end, files);
  FUZZ_CHECK(!std::filesystem::exists(files.Temporary));
  if (renaming && catalog::NameProblem(newName)) {
    FUZZ_CHECK(result.Outcome == catalog::RewriteOutcome::RefusedName);
    FUZZ_CHECK(fuzz::ReadFile(files.Catalogue) == bytes);
    return 0;
  }
  FUZZ_CHECK(result.Replaced());
  FUZZ_CHECK(result.Found == inRange);

  const auto namesAfter = catalog::ListNames(files);
  FUZZ_CHECK(namesAfter.has_value());
  std::vector<std::string> expectedNames = *names;
  if (inRange) {
    if (renaming)
      expectedNames[position] = newName;
    else
      expectedNames.erase(expectedNames.begin() + position);
  }
  FUZZ_CHECK(*namesAfter == expectedNames);

  for (int i : picks) {
    if (!renaming && i == position) continue;
    const int j = !renaming && inRange && i > position ? i - 1 : i;
    ThemeRecord expected = Written(before[i], other);
    if (renaming && i == position) expected.Name = newName;
    ThemeRecord got;
    FUZZ_CHECK(catalog::ReadThrough(j, got, files));
    FUZZ_CHECK(SameRecord(got, expected));
    // A written record keeps what it holds through any number of copies.
    FUZZ_CHECK(SameRecord(Written(expected, other), expected));
  }

  // Text in the written form is copied byte for byte.
  const std::string rewritten = fuzz::ReadFile(files.Catalogue);
  FUZZ_CHECK(catalog::DeleteRecord(-1, start, end, files).Replaced());
  FUZZ_CHECK(fuzz::ReadFile(files.Catalogue) == rewritten);
  return 0;
}
