// libFuzzer target: the census table reader on arbitrary tables.
//
// The first byte says what the rest is: a CSV file as it stands ('C'), a
// whole file as it stands, ZIP or not ('Z'), or the XML of a worksheet and
// of its shared strings, split at the first "\n--\n" ('W'), which are packed
// here into a workbook so that the fuzzing reaches the sheet rather than
// breaking the container's checksums. Whatever the table, the reader either
// fails with a Failure or gives regions whose files are what the draw reads:
// the title line, the weight, 101 male and 101 female counts, every one a
// plain number.
#include "core/failure.h"
#include "data/census_table.h"
#include "data/data_file_reader.h"
#include "fuzz_check.h"
#include "scratch_file.h"

#include <zip.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

using namespace pyramid;
using namespace pyramid::fuzzing;

namespace {

const std::string kWorkbookXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook "
    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
    "<sheet name=\"b02_05\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const std::string kRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
    "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/></Relationships>";

// The sheet and shared strings packed as a workbook, stored uncompressed.
void writeWorkbook(const std::string& path, std::string_view sheet, std::string_view shared)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    check(archive != nullptr, "cannot make the workbook");
    const auto add = [&](const char* name, std::string_view text) {
        zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
        const zip_int64_t at = zip_file_add(archive, name, source, ZIP_FL_OVERWRITE);
        check(at >= 0, "cannot add a part to the workbook");
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(at), ZIP_CM_STORE, 0);
    };
    add("xl/workbook.xml", kWorkbookXml);
    add("xl/_rels/workbook.xml.rels", kRelationships);
    add("xl/worksheets/sheet1.xml", sheet);
    add("xl/sharedStrings.xml", shared);
    check(zip_close(archive) == 0, "cannot write the workbook");
}

void regionFileIsADataFile(const CensusTable& table, std::size_t index, bool japaneseOnly)
{
    CensusRegionFile file;
    try {
        file = table.regionFile(index, japaneseOnly);
    } catch (const Failure& failure) {
        check(failure.kind() == FailureKind::UnusableTable, "a region failed otherwise");
        return;
    }
    const CensusRegion& region = table.regions()[index];
    check(file.label == region.code + " " + region.name, "the label is not the region's code and name");
    std::istringstream in(file.text);
    std::string line;
    check(std::getline(in, line) && line == file.titleYear, "the first line is not the title");
    check(file.titleYear.starts_with(region.name), "the title does not name the region");
    int counts = -1;  // the weight, then the counts
    while (std::getline(in, line)) {
        double value = 0;
        check(parseCount(line, value) == CountParse::Number, "a line of the file is no number");
        ++counts;
    }
    check(counts == 202, "the file does not hold 101 classes of each sex");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string& path = scratchFile();
    if (data[0] == 'W') {
        const std::size_t split = input.find("\n--\n");
        writeWorkbook(path, input.substr(0, split),
                      split == std::string_view::npos ? std::string_view() : input.substr(split + 4));
    } else {
        scratchFileHolding(input);
    }

    const bool recognised = isCensusTable(path);
    if (data[0] == 'W')
        check(recognised, "a workbook was not recognised");
    try {
        const CensusTable table = readCensusTable(path);
        const std::vector<CensusRegion>& regions = table.regions();
        check(table.matching("").size() == regions.size(), "nothing typed does not list every region");
        // The first regions are enough; every one is read the same way.
        for (std::size_t i = 0; i < regions.size() && i < 8; ++i) {
            check(regions[i].code.size() == 5, "a region code is not five digits");
            const std::vector<std::size_t> found = table.matching(regions[i].code);
            check(std::find(found.begin(), found.end(), i) != found.end(), "a region's own code does not find it");
            regionFileIsADataFile(table, i, false);
            regionFileIsADataFile(table, i, true);
        }
    } catch (const Failure& failure) {
        check(failure.kind() == FailureKind::UnusableTable || failure.kind() == FailureKind::FileAccess,
              "the table failed otherwise");
    }
    return 0;
}
