// libFuzzer target: the whole form on the in-memory form, end to end.
//
// The input is a data file, optionally followed by the marker "\n\x03" and
// a second file to compare with it, then optionally the marker "\n\x01" and
// a script. The file is chosen, loaded and drawn, the analysis is set up and
// up to three reports are made with age texts from the script (0 to 1 and
// 20 to 40 without one); each prompt
// is answered from the script's bits, Yes at most 36 times in all, then No.
// Then the second file (or the first again) is laid over the drawn one in
// persons and in shares, with a report while comparing.
// Then the first file, the compared one and a third (after the marker
// "\n\x04", else the first again) are stepped through as one folder, both
// ways, with and without following a generation.
// Checked: every prompt message has its exact form, every caption and chart
// text is valid UTF-8, every chart coordinate is finite, a comparison leaves
// the designed labels as they were, and a report that raised no prompt
// shows the eight result lines this file computes on its own from the
// file's text, whether comparing or not, and so does the copied text, whose
// age groups add up; a comparison answered No leaves the form as it was;
// after every outcome the tooltip, the description and the copied figures
// answer without throwing.
#include "app/pyramid_form.h"
#include "core/error_prompt.h"
#include "core/failure.h"
#include "core/utf8_text.h"
#include "plain_items.h"
#include "scratch_file.h"
#include "support/memory_form.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

using namespace pyramid;
using namespace pyramid::plain;

using namespace pyramid::fuzzing;

namespace {

constexpr std::string_view kScriptMarker = "\n\x01";
constexpr std::string_view kComparedMarker = "\n\x03";
constexpr std::string_view kThirdMarker = "\n\x04";
constexpr int kMostYes = 36;
constexpr int kMostReports = 3;

// ---- The prompt: answers from the script, and the form of every message.

class ScriptPrompt : public ErrorPrompt {
public:
    explicit ScriptPrompt(std::string_view bits) : bits_(bits) {}

    bool askToContinue(std::string_view title, std::string_view message) override
    {
        ++asked;
        check(title == kErrorPromptTitle, "prompt title");
        checkMessage(message);
        bool yes = bits_.empty() || (static_cast<unsigned char>(bits_[(asked / 8) % bits_.size()]) >> (asked % 8)) & 1;
        yes = yes && yesGiven_ < kMostYes;
        yesGiven_ += yes;
        return yes;
    }
    int asked = 0;

private:
    static void checkMessage(std::string_view message)
    {
        check(isValidUtf8(message), "prompt message is not UTF-8");
        const std::string question = "\r\n\r\n" + std::string(kErrorPromptQuestion);
        check(message.ends_with(question), "prompt message does not end in the question");
        const std::string_view description = message.substr(0, message.size() - question.size());
        for (FailureKind kind : {FailureKind::FileNotFound, FailureKind::FileAccess, FailureKind::InputPastEnd,
                                 FailureKind::TypeMismatch, FailureKind::SubscriptOutOfRange,
                                 FailureKind::DivisionByZero, FailureKind::Overflow, FailureKind::UnusableTable}) {
            const std::string text = failureText(kind);
            if (!description.starts_with(text))
                continue;
            std::string_view detail = description.substr(text.size());
            if (detail.empty())
                return;
            check(detail.starts_with("\r\n") && detail.size() > 2, "description detail is not its own line");
            detail.remove_prefix(2);
            for (char c : detail)
                check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "raw control character in the prompt");
            return;
        }
        fault("description names no known failure");
    }

    std::string_view bits_;
    int yesGiven_ = 0;
};

// ---- The file's figures, read plainly.

// Where the sign, digits and decimal part at the start of `t` end; `digits`
// counts the digits read.
std::size_t plainMantissa(const std::string& t, std::size_t& digits)
{
    std::size_t p = 0;
    if (p < t.size() && (t[p] == '+' || t[p] == '-'))
        ++p;
    while (p < t.size() && t[p] >= '0' && t[p] <= '9')
        ++p, ++digits;
    if (p < t.size() && t[p] == '.')
        for (++p; p < t.size() && t[p] >= '0' && t[p] <= '9'; ++p)
            ++digits;
    return p;
}

// A plain decimal count, blanks around it allowed; nullopt when the text is
// no count or its value is not plainly a finite double.
std::optional<double> plainCount(const DataItem& item)
{
    if (item.truncated)
        return std::nullopt;
    std::string t = item.text;
    while (!t.empty() && isBlank(t.front()))
        t.erase(0, 1);
    t = trimEnd(t);
    std::size_t digits = 0;
    std::size_t p = plainMantissa(t, digits);
    if (digits == 0)
        return std::nullopt;
    if (p < t.size() && (t[p] == 'e' || t[p] == 'E')) {
        ++p;
        if (p < t.size() && (t[p] == '+' || t[p] == '-'))
            ++p;
        const std::size_t from = p;
        while (p < t.size() && t[p] >= '0' && t[p] <= '9')
            ++p;
        if (p == from)
            return std::nullopt;
    }
    if (p != t.size())
        return std::nullopt;
    errno = 0;
    const double value = std::strtod(t.c_str(), nullptr);
    if (errno == ERANGE)
        return std::nullopt;
    return value;
}

struct Figures {
    double male[201] = {}, female[201] = {};  // slot 0 and unfilled slots hold 0
    double grand = 0, maleTotal = 0, femaleTotal = 0, largest = 0, weight = 0;
};

std::optional<Figures> plainFigures(const std::vector<DataItem>& items)
{
    if (items.size() < 3)
        return std::nullopt;
    Figures f;
    const auto weight = plainCount(items[1]);
    if (!weight)
        return std::nullopt;
    f.weight = *weight;
    std::vector<double> counts;
    for (std::size_t k = 2; k < items.size(); ++k) {
        const auto count = plainCount(items[k]);
        if (!count)
            return std::nullopt;
        counts.push_back(*count);
    }
    const std::size_t classes = counts.size() / 2;
    if (classes > 200)
        return std::nullopt;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        f.grand += counts[k];
        if (counts[k] > f.largest)
            f.largest = counts[k];
        if (k < classes)
            f.maleTotal += f.male[k + 1] = counts[k];
        else if (k < 2 * classes)
            f.femaleTotal += f.female[k - classes + 1] = counts[k];
    }
    if (!std::isfinite(f.grand) || !std::isfinite(f.maleTotal) || !std::isfinite(f.femaleTotal))
        return std::nullopt;
    return f;
}

// ---- An age box read plainly: blanks skipped anywhere, then the number it begins with.

double plainAge(std::string_view text)
{
    std::string t;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            t += c;
    if (t.size() >= 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
        const int radix = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
        double value = 0;
        for (std::size_t p = 2; p < t.size(); ++p) {
            const char c = t[p];
            const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                        : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
            if (d >= radix)
                break;
            value = value * radix + d;
        }
        return std::isinf(value) ? DBL_MAX : value;
    }
    std::size_t digits = 0;
    std::size_t p = plainMantissa(t, digits);
    if (digits == 0)
        return 0;
    std::size_t end = p;
    if (p < t.size() && (t[p] == 'e' || t[p] == 'E')) {
        std::size_t e = p + 1;
        if (e < t.size() && (t[e] == '+' || t[e] == '-'))
            ++e;
        const std::size_t from = e;
        while (e < t.size() && t[e] >= '0' && t[e] <= '9')
            ++e;
        if (e > from)
            end = e;
    }
    errno = 0;
    const double value = std::strtod(t.substr(0, end).c_str(), nullptr);
    if (errno == ERANGE)
        return std::fabs(value) < 1 ? 0.0 : std::copysign(DBL_MAX, value);
    return value;
}

// ---- The report worked out plainly: the eight lines, or nullopt where a
// statement of it must fail.

std::string plainText(double value)
{
    if (value == 0)
        return "0";
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", value);
    return text;
}

struct Unsound {};
double finite(double v)
{
    if (!std::isfinite(v))
        throw Unsound{};
    return v;
}
double divide(double a, double b)
{
    if (b == 0)
        throw Unsound{};
    return finite(a / b);
}
double onChart(double v)
{
    if (!(std::fabs(finite(v)) <= FLT_MAX))
        throw Unsound{};
    return v;
}
long slotOf(double i)
{
    double whole = std::floor(i);
    const double fraction = i - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0))
        whole += 1;
    if (whole < 0 || whole > 200)
        throw Unsound{};
    return long(whole);
}

std::optional<std::vector<std::string>> plainReport(const Figures& f, double from, double to)
{
    try {
        if (to - from < 0)
            std::swap(from, to);
        double male = 0, female = 0;
        for (double i = from + 1, last = to + 1; i <= last; i += 1) {
            male = finite(male + f.male[slotOf(i)]);
            female = finite(female + f.female[slotOf(i)]);
        }
        const double total = finite(male + female);
        const double scale = divide(250, f.largest);
        for (double i = from + 1, last = to + 1; i <= last; i += 1) {
            const long s = slotOf(i);
            onChart(320 - finite(f.male[s] * scale));
            onChart(320 + finite(f.female[s] * scale));
            onChart(320 + finite(finite(f.female[s] - f.male[s]) * scale));
        }
        return std::vector<std::string>{
            "総人口比=" + plainText(divide(total, f.grand)),   "男人口比=" + plainText(divide(male, f.maleTotal)),
            "女人口比=" + plainText(divide(female, f.femaleTotal)), "男／女比=" + plainText(divide(male, female)),
            "男人口計=" + plainText(male),                      "女人口計=" + plainText(female),
            "総人口　=" + plainText(f.grand),                   "地域加重=" + plainText(divide(f.grand, f.weight)),
        };
    } catch (const Unsound&) {
        return std::nullopt;
    }
}

// ---- Age texts from the script: characters an age box may hold, ASCII
// only but for a unit a user may type after the number.

std::string ageText(std::string_view bytes)
{
    static const char* const kPieces[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", " ", "\t", "-",
                                          "+", ".", "e", "E", "9", "2", "0", "1", "歳", "a", "&H", "&O", "F"};
    std::string text;
    for (char c : bytes)
        text += kPieces[static_cast<unsigned char>(c) % std::size(kPieces)];
    return text;
}

void checkForm(const testing::MemoryForm& form)
{
    for (const auto& [label, text] : form.captions)
        check(isValidUtf8(text), "a caption is not UTF-8");
    for (const std::string& text : form.results)
        check(isValidUtf8(text), "a result line is not UTF-8");
    for (const auto& line : form.surface.lines)
        check(std::isfinite(line.x1) && std::isfinite(line.y1) && std::isfinite(line.x2) && std::isfinite(line.y2),
              "a chart coordinate is not finite");
    for (const ChartText& note : form.surface.notes)
        check(isValidUtf8(note.text) && std::isfinite(note.x) && std::isfinite(note.y), "a chart text is unsound");
}

// What the window asks on its own, outside any handler, after every outcome:
// the tooltip over several rows, the chart's description and the copied
// figures. None may throw (they are noexcept: a throw ends the run here as
// it would end the program) and all are UTF-8.
void askOutsideHandlers(const PyramidForm& handlers)
{
    for (double y : {0.0, 18.0, 238.0, 410.0, 418.0, 422.0})
        for (double x : {0.0, 300.0, 320.0, 340.0, 640.0})
            check(isValidUtf8(handlers.rowTip(x, y)), "a tooltip is not UTF-8");
    check(isValidUtf8(handlers.chartDescription()), "the description is not UTF-8");
    const std::vector<FileFigures> figures = handlers.worksheetFigures();
    check(isValidUtf8(figuresText(figures)), "the copied text is not UTF-8");
    check(figures.size() == (handlers.comparing() ? 2u : handlers.showsChart() ? 1u : 0u),
          "the copied text leaves out a file or names one too many");
}

// The designed labels, which no comparison may change.
struct Designed {
    std::map<Label, std::string> captions;
    std::array<std::string, kResultLineCount> results;
    std::string focus;
    friend bool operator==(const Designed&, const Designed&) = default;
};
Designed designed(const testing::MemoryForm& form) { return {form.captions, form.results, form.focus}; }

// `compared` laid over the drawn file both ways, a report on the first two
// ages while comparing, then the comparison taken off.
void compareBothWays(PyramidForm& handlers, testing::MemoryForm& form, ScriptPrompt& prompt,
                     const std::optional<Figures>& figures, const std::vector<std::string>& ages)
{
    for (CompareBy by : {CompareBy::Persons, CompareBy::Shares}) {
        const Designed before = designed(form);
        const testing::RecordingChart chart = form.surface;
        const int askedBefore = prompt.asked;
        handlers.compareWith(comparedScratchFile(), by);
        checkForm(form);
        askOutsideHandlers(handlers);
        check(designed(form) == before, "a comparison changed a designed label");
        // Every failure here stays on Yes, so a prompt means No came at last:
        // the form is exactly as before the comparison.
        if (prompt.asked != askedBefore)
            check(!handlers.comparing() && form.surface.lines == chart.lines && form.surface.clears == chart.clears &&
                      form.surface.notes == chart.notes,
                  "a comparison answered No changed the form");
        form.ageBoxes = {ages[0], ages[1]};
        const int asked = prompt.asked;
        handlers.Text1_KeyPress(1, 13);
        checkForm(form);
        askOutsideHandlers(handlers);
        if (prompt.asked == asked && figures) {
            const auto expected = plainReport(*figures, plainAge(ages[0]), plainAge(ages[1]));
            check(expected.has_value(), "a report while comparing went through where a statement must fail");
            for (int line = 0; line < kResultLineCount; ++line)
                check(form.results[std::size_t(line)] == (*expected)[std::size_t(line)],
                      "a result line differs while comparing");
        }
        const Designed compared = designed(form);
        handlers.stopComparing();
        checkForm(form);
        askOutsideHandlers(handlers);
        check(designed(form) == compared, "taking a comparison off changed a designed label");
    }
}

// ---- The copied text after a report: its eight lines are the captions, and
// its three age groups add up to the persons in the tables.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        check(end != std::string::npos, "a copied line does not end in LF");
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void checkWorksheetText(const PyramidForm& handlers, const testing::MemoryForm& form, const Figures& f)
{
    const std::vector<std::string> lines = linesOf(figuresText(handlers.worksheetFigures()));
    // Title, path, range, eight result lines, three age groups, 高齢化率, 従属人口指数.
    check(lines.size() == 3 + kResultLineCount + 5, "the copied text has another shape");
    for (int line = 0; line < kResultLineCount; ++line)
        check(lines[std::size_t(3 + line)].starts_with(form.results[std::size_t(line)]), "a copied result line differs");
    double persons = 0, magnitude = 1;
    for (std::size_t k = 3 + kResultLineCount; k < 3 + kResultLineCount + 3; ++k) {
        const std::size_t equals = lines[k].find('=');
        check(equals != std::string::npos, "an age group has no value");
        persons += std::strtod(lines[k].c_str() + equals + 1, nullptr);
    }
    for (int i = 1; i <= 200; ++i)
        magnitude += std::fabs(f.male[i]) + std::fabs(f.female[i]);
    check(std::fabs(persons - (f.maleTotal + f.femaleTotal)) <= 1e-12 * magnitude,
          "the copied age groups do not add up to the total");
}

// The three files as one folder, stepped through from the first to the last
// and back, the range of `ages` reported on the first: every step leaves a
// sound form, and a step whose report ran to its end shows the eight lines
// worked out plainly for the ages it reported on the file it drew.
void stepThroughTheFolder(PyramidForm& handlers, testing::MemoryForm& form, const std::string_view (&files)[3],
                          const std::vector<std::string>& ages)
{
    const std::string& folder = scratchFolderHolding(files);
    // The folder's scale: the largest count of the three, when all three read.
    std::optional<Figures> plain[3];
    double largest = 0;
    for (int k = 0; k < 3; ++k)
        if ((plain[k] = plainFigures(splitItems(files[k]))))
            largest = std::max(largest, plain[k]->largest);
    const bool allRead = plain[0] && plain[1] && plain[2];
    for (bool generation : {false, true}) {
        handlers.followGeneration(generation);
        form.fileListPath = folder;
        form.selectedFile = "1";
        handlers.File1_Click();
        handlers.Command1_Click();
        handlers.Command3_Click();
        form.ageBoxes = {ages[0], ages[1]};
        handlers.Text1_KeyPress(1, 13);
        for (int direction : {+1, +1, -1, -1}) {
            handlers.stepFile(direction);
            checkForm(form);
            const std::string told = handlers.chartDescription();
            check(told.empty() || isValidUtf8(told), "description");
            // A title may hold the words that say a range is shown.
            const std::size_t range = told.find("。範囲 ", form.caption(Label::Label2).size());
            if (range == std::string::npos || !allRead)
                continue;
            Figures onFolderScale = *plain[std::stoi(form.selectedFile) - 1];
            if (largest > 0)
                onFolderScale.largest = largest;
            const auto expected = plainReport(onFolderScale, plainAge(form.ageBoxes[0]), plainAge(form.ageBoxes[1]));
            check(expected.has_value(), "a step's report went through where a statement must fail");
            for (int line = 0; line < kResultLineCount; ++line)
                check(form.results[std::size_t(line)] == (*expected)[std::size_t(line)], "a step's result line differs");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t marker = input.rfind(kScriptMarker);
    std::string_view file = marker == std::string_view::npos ? input : input.substr(0, marker);
    const std::size_t thirdAt = file.find(kThirdMarker);
    const std::string_view third = thirdAt == std::string_view::npos ? file.substr(0, 0) : file.substr(thirdAt + 2);
    file = file.substr(0, thirdAt);
    const std::size_t comparedAt = file.find(kComparedMarker);
    const std::string_view compared = comparedAt == std::string_view::npos ? file : file.substr(comparedAt + 2);
    file = file.substr(0, comparedAt);
    std::string_view script = marker == std::string_view::npos ? std::string_view() : input.substr(marker + 2);

    const std::string& path = scratchFileHolding(file);
    scratchFileHolding(compared, comparedScratchFile());

    // The script: answer bits, then age texts separated by \x02.
    const std::size_t bitsEnd = std::min(script.find('\x02'), script.size());
    ScriptPrompt prompt(script.substr(0, bitsEnd));
    script.remove_prefix(std::min(bitsEnd + 1, script.size()));
    std::vector<std::string> ages;
    while (!script.empty() && ages.size() < 2 * kMostReports) {
        const std::size_t end = std::min(script.find('\x02'), script.size());
        ages.push_back(ageText(script.substr(0, std::min<std::size_t>(end, 24))));
        script.remove_prefix(std::min(end + 1, script.size()));
    }
    if (ages.empty())
        ages = {"0", "1", "20", "40"};
    if (ages.size() % 2)
        ages.push_back("");

    testing::MemoryForm form;
    PyramidForm handlers(form, prompt);
    handlers.Form_Load();
    form.captions[Label::Label1] = path;
    handlers.Command1_Click();
    const bool drawn = prompt.asked == 0;
    askOutsideHandlers(handlers);
    handlers.Command3_Click();
    checkForm(form);
    askOutsideHandlers(handlers);

    const std::optional<Figures> figures = drawn ? plainFigures(splitItems(file)) : std::nullopt;
    for (std::size_t k = 0; k + 1 < ages.size(); k += 2) {
        form.ageBoxes = {ages[k], ages[k + 1]};
        const int before = prompt.asked;
        handlers.Text1_KeyPress(0, 13);
        handlers.Text1_KeyPress(1, 13);
        checkForm(form);
        askOutsideHandlers(handlers);
        if (prompt.asked != before || !figures)
            continue;
        const auto expected = plainReport(*figures, plainAge(ages[k]), plainAge(ages[k + 1]));
        check(expected.has_value(), "a report went through where a statement must fail");
        for (int line = 0; line < kResultLineCount; ++line)
            check(form.results[std::size_t(line)] == (*expected)[std::size_t(line)], "a result line differs");
        checkWorksheetText(handlers, form, *figures);
    }
    compareBothWays(handlers, form, prompt, figures, ages);
    const std::string_view folder[3] = {file, compared, thirdAt == std::string_view::npos ? file : third};
    stepThroughTheFolder(handlers, form, folder, ages);
    return 0;
}
