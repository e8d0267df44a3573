// The census table as an Excel workbook: the ZIP container through libzip,
// its XML parts through expat, one row of the sheet at a time. What is
// unpacked, how deep the XML nests, the shared strings and the sheets looked
// at are bounded, so that a small hostile file cannot unpack into the
// machine's memory or time.

#include "core/failure.h"
#include "data/census_table_rows.h"
#include "data/data_file_reader.h"

#include <expat.h>
#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <exception>
#include <functional>
#include <map>

namespace pyramid {

namespace {

constexpr std::string_view kDamaged =
    "Excel のファイルが壊れているため読めません。e-Stat からもう一度ダウンロードしてください。";
// The text of all the workbook's shared strings, and how many; a census
// table has a few kilobytes of them, in a few thousand strings.
constexpr std::size_t kMaxSharedStringBytes = 64 * 1024 * 1024;
constexpr std::size_t kMaxSharedStrings = 1024 * 1024;
// All the XML unpacked from one workbook; the largest census sheet is
// about 20 MB.
constexpr zip_int64_t kMaxUnpackedBytes = 256 * 1024 * 1024;
// A sheet nests about five deep.
constexpr int kMaxDepth = 64;
// A census workbook has one to three sheets.
constexpr std::size_t kMaxSheets = 16;

[[noreturn]] void failDamaged() { failUnusableTable(std::string(kDamaged)); }

// An element's name without its namespace prefix: "x:row" -> "row".
std::string_view localName(const XML_Char* name)
{
    const std::string_view full(name);
    const std::size_t colon = full.rfind(':');
    return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

const XML_Char* attribute(const XML_Char** attributes, std::string_view wanted)
{
    for (const XML_Char** a = attributes; *a != nullptr; a += 2)
        if (localName(a[0]) == wanted)
            return a[1];
    return nullptr;
}

template <class Handler>
struct ParseContext {
    Handler& handler;
    XML_Parser parser;
    std::exception_ptr failure;
    int depth = 0;

    template <class Step>
    void guarded(Step&& step)
    {
        try {
            step();
        } catch (...) {
            failure = std::current_exception();
            XML_StopParser(parser, XML_FALSE);
        }
    }
};

class Archive {
public:
    explicit Archive(const std::string& path)
    {
        int error = 0;
        archive_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
        if (archive_ == nullptr)
            failDamaged();
    }
    ~Archive() { zip_discard(archive_); }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool has(const std::string& name) const { return zip_name_locate(archive_, name.c_str(), 0) >= 0; }

    // Feeds the member's bytes to `handler` through expat; a part that is
    // not well-formed XML is a damaged workbook. A failure inside a handler
    // stops the parser and goes on from here, never through expat's frames.
    template <class Handler>
    void parse(const std::string& name, Handler& handler)
    {
        zip_file_t* member = zip_fopen(archive_, name.c_str(), 0);
        if (member == nullptr)
            failDamaged();
        XML_Parser parser = XML_ParserCreate(nullptr);
        if (parser == nullptr) {
            zip_fclose(member);
            throw std::bad_alloc();
        }
        using Context = ParseContext<Handler>;
        Context context{handler, parser, nullptr};
        XML_SetUserData(parser, &context);
        XML_SetElementHandler(
            parser,
            [](void* c, const XML_Char* element, const XML_Char** attributes) {
                auto& context = *static_cast<Context*>(c);
                context.guarded([&] {
                    if (++context.depth > kMaxDepth)
                        failDamaged();
                    context.handler.start(localName(element), attributes);
                });
            },
            [](void* c, const XML_Char* element) {
                auto& context = *static_cast<Context*>(c);
                --context.depth;
                context.guarded([&] { context.handler.end(localName(element)); });
            });
        XML_SetCharacterDataHandler(parser, [](void* c, const XML_Char* text, int length) {
            auto& context = *static_cast<Context*>(c);
            context.guarded([&] { context.handler.text(std::string_view(text, static_cast<std::size_t>(length))); });
        });
        bool ok = true;
        for (;;) {
            void* buffer = XML_GetBuffer(parser, kChunk);
            const zip_int64_t n = buffer != nullptr ? zip_fread(member, buffer, kChunk) : -1;
            unpacked_ += n > 0 ? n : 0;
            if (n < 0 || unpacked_ > kMaxUnpackedBytes ||
                XML_ParseBuffer(parser, static_cast<int>(n), n == 0) != XML_STATUS_OK) {
                ok = false;
                break;
            }
            if (n == 0)
                break;
        }
        XML_ParserFree(parser);
        zip_fclose(member);
        if (context.failure)
            std::rethrow_exception(context.failure);
        if (!ok)
            failDamaged();
    }

private:
    static constexpr int kChunk = 64 * 1024;
    zip_t* archive_ = nullptr;
    zip_int64_t unpacked_ = 0;
};

template <class Handler>
void parseWith(Archive& archive, const std::string& name, Handler& handler)
{
    archive.parse(name, handler);
}

void appendCapped(std::string& to, std::string_view text)
{
    if (to.size() < kMaxCellBytes)
        to.append(text.substr(0, kMaxCellBytes - to.size()));
}

// xl/workbook.xml: the sheets in the workbook's order, by relationship id.
struct SheetList {
    std::vector<std::string> ids;
    void start(std::string_view element, const XML_Char** attributes)
    {
        if (element == "sheet")
            if (const XML_Char* id = attribute(attributes, "id"))
                ids.emplace_back(id);
    }
    void end(std::string_view) {}
    void text(std::string_view) {}
};

// xl/_rels/workbook.xml.rels: where each part is.
struct Relationships {
    std::map<std::string, std::string> targetOf;
    std::string sharedStrings;
    void start(std::string_view element, const XML_Char** attributes)
    {
        if (element != "Relationship")
            return;
        const XML_Char* id = attribute(attributes, "Id");
        const XML_Char* target = attribute(attributes, "Target");
        const XML_Char* type = attribute(attributes, "Type");
        if (id == nullptr || target == nullptr)
            return;
        // Targets are relative to xl/, or absolute in the package.
        std::string path = target[0] == '/' ? std::string(target + 1) : "xl/" + std::string(target);
        if (type != nullptr && std::string_view(type).ends_with("/sharedStrings"))
            sharedStrings = path;
        targetOf[id] = std::move(path);
    }
    void end(std::string_view) {}
    void text(std::string_view) {}
};

// xl/sharedStrings.xml: the texts cells refer to by number. The phonetic
// guides (<rPh>) are no part of a text.
struct SharedStrings {
    std::vector<std::string> texts;
    std::size_t bytes = 0;
    int phonetic = 0;
    bool inText = false;
    void start(std::string_view element, const XML_Char**)
    {
        if (element == "si") {
            if (texts.size() == kMaxSharedStrings)
                failDamaged();
            texts.emplace_back();
        }
        else if (element == "rPh")
            ++phonetic;
        else if (element == "t" && phonetic == 0 && !texts.empty())
            inText = true;
    }
    void end(std::string_view element)
    {
        if (element == "rPh")
            --phonetic;
        else if (element == "t")
            inText = false;
    }
    void text(std::string_view text)
    {
        if (!inText)
            return;
        bytes += text.size();
        if (bytes > kMaxSharedStringBytes)
            failDamaged();
        appendCapped(texts.back(), text);
    }
};

// A worksheet, row by row into `rows` (a CensusTableBuilder).
template <class Rows>
struct SheetRows {
    const std::vector<std::string>& shared;
    Rows& builder;
    TableRow row{};
    bool inRow = false;
    long column = -1;  // of the cell being read
    enum class Type { Number, Shared, Text, Boolean } type = Type::Number;
    bool inValue = false;
    int phonetic = 0;
    std::string value{};

    // "DV605" -> 125; -1 when the reference names no column.
    static long columnOf(std::string_view reference)
    {
        long column = 0;
        std::size_t letters = 0;
        while (letters < reference.size() && reference[letters] >= 'A' && reference[letters] <= 'Z' && letters < 4) {
            column = column * 26 + (reference[letters] - 'A' + 1);
            ++letters;
        }
        return letters == 0 ? -1 : column - 1;
    }

    void start(std::string_view element, const XML_Char** attributes)
    {
        if (element == "row") {
            row.clear();
            inRow = true;
            column = -1;
        } else if (element == "c" && inRow) {
            const XML_Char* reference = attribute(attributes, "r");
            const long named = reference != nullptr ? columnOf(reference) : -1;
            column = named >= 0 ? named : column + 1;
            const XML_Char* t = attribute(attributes, "t");
            const std::string_view kind = t != nullptr ? t : "n";
            type = kind == "s"                                         ? Type::Shared
                   : kind == "inlineStr" || kind == "str" || kind == "e" || kind == "d" ? Type::Text
                   : kind == "b"                                       ? Type::Boolean
                                                                       : Type::Number;
            value.clear();
        } else if (element == "rPh") {
            ++phonetic;
        } else if ((element == "v" || element == "t") && phonetic == 0) {
            inValue = column >= 0;
        }
    }

    void end(std::string_view element)
    {
        if (element == "v" || element == "t") {
            inValue = false;
        } else if (element == "rPh") {
            --phonetic;
        } else if (element == "c") {
            takeCell();
        } else if (element == "row" && inRow) {
            inRow = false;
            if (!row.empty())
                builder.addRow(row);
        }
    }

    void text(std::string_view text)
    {
        if (inValue)
            appendCapped(value, text);
    }

    void takeCell()
    {
        if (!inRow || column < 0 || static_cast<std::size_t>(column) >= kMaxTableColumns)
            return;
        const auto at = static_cast<std::size_t>(column);
        if (row.size() <= at)
            row.resize(at + 1);
        TableCell& cell = row[at];
        cell.text.clear();
        cell.kind = TableCell::Kind::Text;
        switch (type) {
        case Type::Shared: {
            std::size_t index = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
            if (error == std::errc() && end == value.data() + value.size() && index < shared.size())
                cell.text = shared[index];
            else
                cell.kind = TableCell::Kind::Empty;
            break;
        }
        case Type::Text:
            cell.text = value;
            break;
        case Type::Boolean:
        case Type::Number: {
            double number = 0;
            if (parseCount(value, number) == CountParse::Number) {
                cell.kind = TableCell::Kind::Number;
                cell.number = number;
            } else {
                cell.text = value;
            }
            break;
        }
        }
        if (cell.kind == TableCell::Kind::Text && cell.text.empty())
            cell.kind = TableCell::Kind::Empty;
    }
};

}  // namespace

namespace {

// A row handler that is any function.
struct RowsTo {
    const std::function<void(const TableRow&)>& take;
    void addRow(const TableRow& row) { take(row); }
};

// The workbook opened: its shared strings read, its sheets found in the
// workbook's order.
class Workbook {
public:
    explicit Workbook(const std::string& path) : archive_((checkReadable(path), path))
    {
        if (!archive_.has("xl/workbook.xml"))
            failUnusableTable("Excel のブックではありません。e-Stat の Excel ファイルを選んでください。");
        SheetList sheets;
        parseWith(archive_, "xl/workbook.xml", sheets);
        Relationships relationships;
        if (archive_.has("xl/_rels/workbook.xml.rels"))
            parseWith(archive_, "xl/_rels/workbook.xml.rels", relationships);
        const std::string sharedPath =
            !relationships.sharedStrings.empty() ? relationships.sharedStrings : "xl/sharedStrings.xml";
        if (archive_.has(sharedPath))
            parseWith(archive_, sharedPath, shared_);
        for (const std::string& id : sheets.ids) {
            const auto target = relationships.targetOf.find(id);
            if (target != relationships.targetOf.end() && archive_.has(target->second) &&
                std::find(sheets_.begin(), sheets_.end(), target->second) == sheets_.end() &&
                sheets_.size() < kMaxSheets)
                sheets_.push_back(target->second);
        }
        if (sheets_.empty() && archive_.has("xl/worksheets/sheet1.xml"))
            sheets_.push_back("xl/worksheets/sheet1.xml");
        if (sheets_.empty())
            failDamaged();
    }

    std::size_t sheetCount() const { return sheets_.size(); }

    template <class Rows>
    void readSheet(std::size_t index, Rows& rows)
    {
        SheetRows<Rows> sheet{shared_.texts, rows};
        parseWith(archive_, sheets_[index], sheet);
    }

private:
    // The same failures as for a data file that cannot be opened.
    static void checkReadable(const std::string& path)
    {
        DataFileReader file;
        file.open(path);
    }

    Archive archive_;
    SharedStrings shared_;
    std::vector<std::string> sheets_;
};

}  // namespace

CensusTable readWorkbookTable(const std::string& path)
{
    Workbook workbook(path);
    // The first sheet that has the age headers is the table.
    for (std::size_t i = 0;; ++i) {
        CensusTableBuilder builder;
        workbook.readSheet(i, builder);
        if (builder.foundAgeHeaders() || i + 1 == workbook.sheetCount())
            return builder.finish();
    }
}

void forEachWorkbookRow(const std::string& path, const std::function<void(const TableRow&)>& take)
{
    Workbook workbook(path);
    RowsTo rows{take};
    workbook.readSheet(0, rows);
}

bool isWorkbook(const std::string& path) noexcept
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr)
        return false;
    const bool workbook = zip_name_locate(archive, "xl/workbook.xml", 0) >= 0;
    zip_discard(archive);
    return workbook;
}

}  // namespace pyramid
