#pragma once
// Type-safe access to documents read from disk. A document may hold any JSON
// type anywhere; these helpers read a missing or wrongly typed value as
// null / 0 / "" (with a trace line for a wrong type) and never throw.
#include <json/json.h>

#include <cstdint>
#include <string>

namespace r88::json {

// v[key] when v is an object, else null. Never adds a member.
const Json::Value& Get(const Json::Value& v, const char* key);
// v[i] when v is an array holding i, else null. Never grows the array.
const Json::Value& At(const Json::Value& v, Json::ArrayIndex i);

// For writing: v becomes an object when it is not one, then v[key].
Json::Value& Obj(Json::Value& v, const char* key);
// For writing: v becomes an array when it is not one, then v[i] (the array
// grows to i + 1). Callers bound i.
Json::Value& Elem(Json::Value& v, Json::ArrayIndex i);

// Integer value: null reads 0, booleans 0/1, fractions are truncated; a
// string, array, object or a number outside the 64-bit range reads 0 with a
// trace line naming what.
std::int64_t Int(const Json::Value& v, const char* what);
// Int() != 0.
bool Bool(const Json::Value& v, const char* what);
// Text value; anything but a string reads "" (with a trace line unless null).
std::string Text(const Json::Value& v, const char* what);

// Number of array elements a reader takes from v (0 when v is not an array),
// at most limit; a longer array is cut with a trace line.
Json::ArrayIndex Count(const Json::Value& v, Json::ArrayIndex limit, const char* what);

}  // namespace r88::json
