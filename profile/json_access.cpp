#include "profile/json_access.h"

#include <cmath>
#include <limits>

#include "platform/trace.h"

namespace r88::json {
namespace {

const Json::Value& Null() {
    static const Json::Value null;
    return null;
}

}  // namespace

const Json::Value& Get(const Json::Value& v, const char* key) {
    if (!v.isObject()) return Null();
    const Json::Value* found = v.find(key, key + std::char_traits<char>::length(key));
    return found != nullptr ? *found : Null();
}

const Json::Value& At(const Json::Value& v, Json::ArrayIndex i) {
    if (!v.isArray() || i >= v.size()) return Null();
    return v[i];
}

Json::Value& Obj(Json::Value& v, const char* key) {
    if (!v.isObject()) {
        if (!v.isNull()) TraceF("profile: a %s value is replaced by an object for \"%s\"\n",
                                v.isArray() ? "list" : "plain", key);
        v = Json::Value(Json::objectValue);
    }
    return v[key];
}

Json::Value& Elem(Json::Value& v, Json::ArrayIndex i) {
    if (!v.isArray()) {
        if (!v.isNull()) Trace("profile: a value is replaced by a list\n");
        v = Json::Value(Json::arrayValue);
    }
    return v[i];
}

std::int64_t Int(const Json::Value& v, const char* what) {
    if (v.isNull()) return 0;
    if (v.isBool()) return v.asBool() ? 1 : 0;
    if (v.isInt64()) return v.asInt64();
    if (v.isUInt64()) return std::numeric_limits<std::int64_t>::max();
    if (v.isDouble()) {
        const double d = v.asDouble();
        if (std::isfinite(d) && d > -9.2e18 && d < 9.2e18) return static_cast<std::int64_t>(d);
    }
    TraceF("profile: \"%s\" is not an integer, read as 0\n", what);
    return 0;
}

bool Bool(const Json::Value& v, const char* what) { return Int(v, what) != 0; }

std::string Text(const Json::Value& v, const char* what) {
    if (v.isString()) return v.asString();
    if (!v.isNull()) TraceF("profile: \"%s\" is not a text, read as empty\n", what);
    return {};
}

Json::ArrayIndex Count(const Json::Value& v, Json::ArrayIndex limit, const char* what) {
    if (!v.isArray()) {
        if (!v.isNull()) TraceF("profile: \"%s\" is not a list, read as empty\n", what);
        return 0;
    }
    if (v.size() > limit) {
        TraceF("profile: \"%s\" holds %u entries, only %u are read\n", what, v.size(), limit);
        return limit;
    }
    return v.size();
}

}  // namespace r88::json
