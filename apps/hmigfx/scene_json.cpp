#include "scene_json.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <algorithm>

namespace hmigfx::app {

namespace {

std::string describe(const nlohmann::json& v) {
    std::string text = v.dump();
    if (text.size() > 40) text = text.substr(0, 37) + "...";
    return text;
}

bool hasFraction(double v) { return v != std::floor(v); }

}  // namespace

CMyRect DocRect::toMyRect() const {
    CMyRect r;
    r.left = left;
    r.top = top;
    r.right = right;
    r.bottom = bottom;
    return r;
}

CRect DocRect::bounds() const {
    return CRect(static_cast<int>(std::floor(std::min(left, right))), static_cast<int>(std::floor(std::min(top, bottom))),
                 static_cast<int>(std::ceil(std::max(left, right))), static_cast<int>(std::ceil(std::max(top, bottom))));
}

std::string foldName(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != '-' && c != '_' && c != ' ') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string colorName(COLORREF cr) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(cr), GetGValue(cr), GetBValue(cr));
    return text;
}

std::string enumName(const EnumTable& table, int value) {
    for (const EnumName& e : table)
        if (e.value == value) return e.name;
    return std::to_string(value);
}

// ---------------------------------------------------------------------------
// JsonValue

std::string JsonValue::typeName() const {
    switch (m_value->type()) {
    case nlohmann::json::value_t::null: return "null";
    case nlohmann::json::value_t::boolean: return "a boolean";
    case nlohmann::json::value_t::string: return "a string";
    case nlohmann::json::value_t::array: return "an array";
    case nlohmann::json::value_t::object: return "an object";
    default: return "a number";
    }
}

int JsonValue::asInt(int lo, int hi) const {
    if (!m_value->is_number()) fail("expected an integer, got " + typeName());
    const double v = m_value->get<double>();
    if (!std::isfinite(v) || hasFraction(v)) fail("expected an integer, got " + describe(*m_value));
    if (v < lo || v > hi)
        fail("expected an integer from " + std::to_string(lo) + " to " + std::to_string(hi) + ", got " +
             describe(*m_value));
    return static_cast<int>(v);
}

double JsonValue::asNumber(double lo, double hi) const {
    if (!m_value->is_number()) fail("expected a number, got " + typeName());
    const double v = m_value->get<double>();
    if (!std::isfinite(v) || v < lo || v > hi) {
        char range[80];
        std::snprintf(range, sizeof range, "expected a number from %g to %g, got ", lo, hi);
        fail(range + describe(*m_value));
    }
    return v;
}

bool JsonValue::asBool() const {
    if (!m_value->is_boolean()) fail("expected true or false, got " + typeName());
    return m_value->get<bool>();
}

std::string JsonValue::asString() const {
    if (!m_value->is_string()) fail("expected a string, got " + typeName());
    return m_value->get<std::string>();
}

COLORREF JsonValue::asColor() const {
    if (!m_value->is_string()) fail("expected a colour \"#RRGGBB\", got " + typeName());
    const std::string s = m_value->get<std::string>();
    bool ok = s.size() == 7 && s[0] == '#';
    for (size_t i = 1; ok && i < s.size(); ++i) ok = std::isxdigit(static_cast<unsigned char>(s[i])) != 0;
    if (!ok) fail("expected a colour \"#RRGGBB\", got " + describe(*m_value));
    const unsigned long rgb = std::stoul(s.substr(1), nullptr, 16);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

int JsonValue::asEnum(const EnumTable& table, int lo, int hi) const {
    auto names = [&] {
        std::string list;
        for (const EnumName& e : table) list += std::string(list.empty() ? "" : ", ") + e.name;
        return list;
    };
    const bool numbers = lo <= hi;
    const std::string expected = numbers ? "expected an integer or one of " : "expected one of ";
    if (numbers && m_value->is_number()) return asInt(lo, hi);
    if (!m_value->is_string()) fail(expected + names() + ", got " + typeName());
    const std::string key = foldName(m_value->get<std::string>());
    for (const EnumName& e : table)
        if (foldName(e.name) == key) return e.value;
    fail(expected + names() + ", got " + describe(*m_value));
}

DocPoint JsonValue::asPoint() const {
    if (!m_value->is_array() || m_value->size() != 2) fail("expected a point [x, y], got " + describe(*m_value));
    DocPoint p;
    p.x = JsonValue((*m_value)[0], m_path + "[0]").asNumber();
    p.y = JsonValue((*m_value)[1], m_path + "[1]").asNumber();
    p.fractional = hasFraction(p.x) || hasFraction(p.y);
    return p;
}

DocRect JsonValue::asRect() const {
    if (!m_value->is_array() || m_value->size() != 4)
        fail("expected a rectangle [left, top, right, bottom], got " + describe(*m_value));
    double v[4];
    for (int i = 0; i < 4; ++i) v[i] = JsonValue((*m_value)[i], m_path + "[" + std::to_string(i) + "]").asNumber();
    DocRect r{v[0], v[1], v[2], v[3], false};
    r.fractional = hasFraction(v[0]) || hasFraction(v[1]) || hasFraction(v[2]) || hasFraction(v[3]);
    return r;
}

std::vector<DocPoint> JsonValue::asPoints(size_t minCount) const {
    if (!m_value->is_array()) fail("expected an array of points [[x, y], ...], got " + typeName());
    if (m_value->size() < minCount)
        fail("expected at least " + std::to_string(minCount) + " points, got " + std::to_string(m_value->size()));
    std::vector<DocPoint> points;
    points.reserve(m_value->size());
    for (size_t i = 0; i < m_value->size(); ++i)
        points.push_back(JsonValue((*m_value)[i], m_path + "[" + std::to_string(i) + "]").asPoint());
    return points;
}

JsonObject JsonValue::asObject() const { return JsonObject(*this); }

std::vector<JsonValue> JsonValue::asArray() const {
    if (!m_value->is_array()) fail("expected an array, got " + typeName());
    std::vector<JsonValue> items;
    for (size_t i = 0; i < m_value->size(); ++i) items.emplace_back((*m_value)[i], m_path + "[" + std::to_string(i) + "]");
    return items;
}

// ---------------------------------------------------------------------------
// JsonObject

JsonObject::JsonObject(const JsonValue& value) : m_value(&value.raw()), m_path(value.path()) {
    if (!m_value->is_object()) value.fail("expected an object, got " + value.typeName());
}

bool JsonObject::has(const char* key) const { return m_value->contains(key); }

JsonValue JsonObject::get(const char* key) {
    auto it = m_value->find(key);
    if (it == m_value->end()) fail(std::string("missing field \"") + key + "\"");
    m_read.insert(key);
    return JsonValue(*it, m_path + "." + key);
}

std::optional<JsonValue> JsonObject::find(const char* key) {
    auto it = m_value->find(key);
    if (it == m_value->end()) return std::nullopt;
    m_read.insert(key);
    return JsonValue(*it, m_path + "." + key);
}

void JsonObject::skip(const char* key) { m_read.insert(key); }

void JsonObject::finish() const {
    for (auto it = m_value->begin(); it != m_value->end(); ++it)
        if (!m_read.count(it.key())) fail("unknown field \"" + it.key() + "\"");
}

int JsonObject::getInt(const char* key, int lo, int hi, int def) {
    auto v = find(key);
    return v ? v->asInt(lo, hi) : def;
}

double JsonObject::getNumber(const char* key, double def) {
    auto v = find(key);
    return v ? v->asNumber() : def;
}

bool JsonObject::getBool(const char* key, bool def) {
    auto v = find(key);
    return v ? v->asBool() : def;
}

COLORREF JsonObject::getColor(const char* key, COLORREF def) {
    auto v = find(key);
    return v ? v->asColor() : def;
}

int JsonObject::getEnum(const char* key, const EnumTable& table, int lo, int hi, int def) {
    auto v = find(key);
    return v ? v->asEnum(table, lo, hi) : def;
}

}  // namespace hmigfx::app
