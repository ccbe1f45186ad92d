// Where a document that the tree reader refused goes wrong. The on-demand
// reader of the same library walks the document value by value, keeping the
// path, and stops at the same fault with its position in the text.

#include <simdjson.h>

#include <algorithm>

#include "text/JsonText.h"

namespace quendar::text {

namespace {

using simdjson::error_code;
namespace od = simdjson::ondemand;

struct Walk {
    std::string path;
    std::string spelled;  // a number the reader could not hold, as written
};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\n' || s.back() == '\r' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

error_code walkValue(od::value v, Walk& w, int depth);

error_code walkObject(od::object obj, Walk& w, int depth) {
    for (auto item : obj) {
        od::field field;
        if (const auto e = std::move(item).get(field)) return e;
        std::string_view key;
        if (const auto e = field.unescaped_key().get(key)) return e;
        const size_t n = w.path.size();
        if (!w.path.empty()) w.path += '.';
        w.path += key;
        if (const auto e = walkValue(field.value(), w, depth + 1)) return e;
        w.path.resize(n);
    }
    return simdjson::SUCCESS;
}

error_code walkArray(od::array list, Walk& w, int depth) {
    size_t i = 0;
    for (auto item : list) {
        od::value v;
        if (const auto e = std::move(item).get(v)) return e;
        const size_t n = w.path.size();
        w.path += '[' + std::to_string(i++) + ']';
        if (const auto e = walkValue(v, w, depth + 1)) return e;
        w.path.resize(n);
    }
    return simdjson::SUCCESS;
}

error_code walkValue(od::value v, Walk& w, int depth) {
    if (depth > 1000) return simdjson::DEPTH_ERROR;
    od::json_type type;
    if (const auto e = v.type().get(type)) return e;
    switch (type) {
        case od::json_type::object: {
            od::object obj;
            if (const auto e = v.get_object().get(obj)) return e;
            return walkObject(obj, w, depth);
        }
        case od::json_type::array: {
            od::array list;
            if (const auto e = v.get_array().get(list)) return e;
            return walkArray(list, w, depth);
        }
        case od::json_type::number: {
            const std::string_view raw = trimmed(v.raw_json_token());
            od::number n;
            if (const auto e = v.get_number().get(n)) {
                w.spelled = raw;
                return e;
            }
            return simdjson::SUCCESS;
        }
        case od::json_type::string: {
            std::string_view s;
            return v.get_string().get(s);
        }
        case od::json_type::boolean: {
            bool b;
            return v.get_bool().get(b);
        }
        case od::json_type::null: {
            bool null = false;
            if (const auto e = v.is_null().get(null)) return e;
            return null ? simdjson::SUCCESS : simdjson::N_ATOM_ERROR;
        }
    }
    return simdjson::SUCCESS;
}

int lineAt(std::string_view text, size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(std::count(
                   text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

}  // namespace

JsonFault findJsonFault(std::string_view text) {
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return {"", 0, "not JSON: the document is empty"};
    const simdjson::padded_string copy(text);
    od::parser parser;
    od::document doc;
    if (const auto e = parser.iterate(copy).get(doc))
        return {"", 0, std::string("not JSON: ") + simdjson::error_message(e)};
    Walk w;
    error_code e = simdjson::SUCCESS;
    od::json_type type;
    e = doc.type().get(type);
    if (!e && (type == od::json_type::object || type == od::json_type::array)) {
        od::value root;
        e = doc.get_value().get(root);
        if (!e) e = walkValue(root, w, 0);
        const char* after = nullptr;
        if (!e && !doc.current_location().get(after)) e = simdjson::TRAILING_CONTENT;
    } else if (!e) {
        // A document of one plain value: only its own spelling can be wrong.
        return {"", 1, "not a mission document: " + std::string(trimmed(text.substr(0, 40)))};
    }
    const char* where = nullptr;
    const bool located = !doc.current_location().get(where);
    const int line = located ? lineAt(text, static_cast<size_t>(where - copy.data()))
                             : lineAt(text, text.size());
    if (!e) return {"", 0, "not JSON"};
    if (e == simdjson::NUMBER_ERROR && !w.spelled.empty())
        return {w.path, line, w.spelled + " is a number too large to read"};
    return {w.path, line, std::string("not JSON: ") + simdjson::error_message(e)};
}

}  // namespace quendar::text
