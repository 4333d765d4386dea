// Reading scene JSON with the path of every value at hand, so that a bad scene
// is reported as "$.objects[3].pen.lopnStyle: expected ..., got ...".
//
// JsonValue wraps one value and its path; JsonObject reads an object's
// members by name and, at finish(), refuses members nobody asked for (a
// misspelt field name is an error, not a silently ignored line).
#pragma once

#include <hmigfx/hmigfx.h>

#include <nlohmann/json.hpp>

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace hmigfx::app {

// A scene that cannot be drawn: where (a JSON path such as "$.objects[2].rect")
// and what is wrong.
class SceneError : public std::runtime_error {
public:
    SceneError(std::string path, std::string problem)
        : std::runtime_error(path + ": " + problem), m_path(std::move(path)), m_problem(std::move(problem)) {}
    const std::string& path() const { return m_path; }
    const std::string& problem() const { return m_problem; }

private:
    std::string m_path;
    std::string m_problem;
};

// A named integer value: the readable alias and the library's number.
struct EnumName {
    const char* name;
    int value;
};
using EnumTable = std::vector<EnumName>;

// A coordinate pair in document units, as written; fractional when either
// value has a fraction (then the CMyPoint overloads draw it).
struct DocPoint {
    double x = 0, y = 0;
    bool fractional = false;
    CPoint toCPoint() const { return CPoint(static_cast<int>(x), static_cast<int>(y)); }
    CMyPoint toMyPoint() const { return CMyPoint(x, y); }
};

struct DocRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool fractional = false;
    CRect toCRect() const {
        return CRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom));
    }
    CMyRect toMyRect() const;
    // The box it spans, whole units outward, left/top first.
    CRect bounds() const;
};

class JsonObject;

class JsonValue {
public:
    JsonValue(const nlohmann::json& value, std::string path) : m_value(&value), m_path(std::move(path)) {}

    const nlohmann::json& raw() const { return *m_value; }
    const std::string& path() const { return m_path; }
    [[noreturn]] void fail(const std::string& problem) const { throw SceneError(m_path, problem); }

    bool isString() const { return m_value->is_string(); }
    bool isNumber() const { return m_value->is_number(); }
    bool isArray() const { return m_value->is_array(); }
    bool isObject() const { return m_value->is_object(); }

    // An integer in [lo, hi]; a number with a fraction is refused.
    int asInt(int lo = INT32_MIN / 2, int hi = INT32_MAX / 2) const;
    // A finite number in [lo, hi].
    double asNumber(double lo = -1e9, double hi = 1e9) const;
    bool asBool() const;
    std::string asString() const;
    // "#RRGGBB" as a COLORREF.
    COLORREF asColor() const;
    // An integer in [lo, hi], or one of the table's names (case-insensitive;
    // '-', '_' and blanks do not count). lo > hi: names only.
    int asEnum(const EnumTable& table, int lo, int hi) const;
    // [x, y].
    DocPoint asPoint() const;
    // [left, top, right, bottom].
    DocRect asRect() const;
    // [[x, y], ...] with at least minCount points.
    std::vector<DocPoint> asPoints(size_t minCount) const;

    JsonObject asObject() const;
    std::vector<JsonValue> asArray() const;

    std::string typeName() const;

private:
    const nlohmann::json* m_value;
    std::string m_path;
};

class JsonObject {
public:
    // Fails unless value is a JSON object.
    explicit JsonObject(const JsonValue& value);

    const std::string& path() const { return m_path; }
    [[noreturn]] void fail(const std::string& problem) const { throw SceneError(m_path, problem); }

    bool has(const char* key) const;
    // A required member (missing: an error naming it).
    JsonValue get(const char* key);
    // An optional member.
    std::optional<JsonValue> find(const char* key);
    // Marks a member as read without reading it (comments, members handled elsewhere).
    void skip(const char* key);
    // Fails on the first member that was never read.
    void finish() const;

    int getInt(const char* key, int lo, int hi) { return get(key).asInt(lo, hi); }
    int getInt(const char* key, int lo, int hi, int def);
    double getNumber(const char* key, double def);
    bool getBool(const char* key, bool def);
    COLORREF getColor(const char* key, COLORREF def);
    int getEnum(const char* key, const EnumTable& table, int lo, int hi, int def);

private:
    const nlohmann::json* m_value;
    std::string m_path;
    std::set<std::string> m_read;
};

// "#RRGGBB" of a COLORREF.
std::string colorName(COLORREF cr);
// The name of a value in a table, or the number.
std::string enumName(const EnumTable& table, int value);
// Lower case with '-', '_' and blanks dropped: how enum names are compared.
std::string foldName(std::string_view name);

}  // namespace hmigfx::app
