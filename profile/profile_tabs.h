#pragma once
// The device page's function tabs that the profile bar shows, hides and
// selects, by device kind.
#include <array>

namespace r88 {

// Tab n (1..7) of SelectTab is kFunctionTabs[n - 1].
inline constexpr std::array<const char*, 7> kFunctionTabs = {
    "deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab", "6533_voice_Op_tab", "magic_Op_tab"};

// Tabs a kind shows and hides; tabs not named keep the page layout's visibility.
struct FunctionTabRule {
    int kind;
    std::array<const char*, 2> shown;   // nullptr ends the list
    std::array<const char*, 4> hidden;  // nullptr ends the list
};

inline constexpr FunctionTabRule kFunctionTabRules[] = {
    {1, {"macro_Op_tab", nullptr}, {"cursor_Op_tab", nullptr, nullptr, nullptr}},
    {2, {nullptr, nullptr}, {"macro_Op_tab", nullptr, nullptr, nullptr}},
    {3, {nullptr, nullptr}, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}},
    {4, {nullptr, nullptr}, {"cursor_Op_tab", "macro_Op_tab", "key_Op_tab", nullptr}},
    {5, {nullptr, nullptr}, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}},
    {7, {"6533_voice_Op_tab", "magic_Op_tab"}, {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}},
};

// The rule of a kind, or nullptr (kind 6 and unknown kinds change nothing).
constexpr const FunctionTabRule* FunctionTabRuleFor(int kind) {
    for (const FunctionTabRule& rule : kFunctionTabRules)
        if (rule.kind == kind) return &rule;
    return nullptr;
}

// The tab SelectTab(n) selects, or nullptr for "clear all seven".
constexpr const char* FunctionTabName(int n) {
    return (n >= 1 && n <= 7) ? kFunctionTabs[static_cast<std::size_t>(n - 1)] : nullptr;
}

}  // namespace r88
