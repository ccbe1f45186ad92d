#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quendar::mission {

constexpr int kCraftTypes = 255;           // craft type numbers 0..254
constexpr int kCraftNameLength = 39;       // names and category names (40-byte slot)
constexpr int kCraftShortTextLength = 19;  // flyability label, text fields 4 and 5 (20-byte slot)
constexpr int kCraftNumbers = 8;

// One craft type as SHIPLIST.TXT describes it. A freshly read list gives every
// type the file does not mention the defaults below.
struct CraftEntry {
    std::string name = "Unused";
    std::string category = "None";
    std::string flyability = "Flyable";
    std::string field4 = "Known";                  // stored only
    std::string field5 = "Skirmish";               // stored only
    std::array<int32_t, kCraftNumbers> numbers{};  // stored only

    bool operator==(const CraftEntry&) const = default;
};

struct CraftMember {
    std::string name;
    int craftType = 0;
};

// A category: named after its first member's category name; members in craft
// type order.
struct CraftCategory {
    std::string name;
    std::vector<CraftMember> members;
};

// Where a craft type sits in the categories (what a category-then-craft
// selector needs to show a stored craft type). -1/-1 when it sits nowhere.
struct CraftLocation {
    int category = -1;
    int member = -1;
};

struct CraftListReport {
    int linesTaken = 0;     // lines whose fields went into the list
    int linesRejected = 0;  // lines read but dropped (craft type number outside 0..254)
    int fieldsCut = 0;      // text fields cut to their slot
};

enum class CraftListLoad { Loaded, NotFound };

// The 255 craft types and their grouping into categories, read from the text
// file SHIPLIST.TXT. Every craft type selector and the icon table index by the
// same craft type number.
//
// Until a file has been read the list is empty: every entry has empty texts
// and there are no categories. Reading a file replaces the whole list; a file
// that cannot be opened leaves it exactly as it was.
class CraftList {
  public:
    CraftList();

    // Replaces the list with the contents of a whole SHIPLIST.TXT held in
    // memory, then rebuilds the categories.
    CraftListReport parse(std::string_view text);

    // Reads `path` and parses it. NotFound when the file cannot be read; the
    // list keeps its previous contents then.
    CraftListLoad load(const std::string& path, CraftListReport* report = nullptr);

    bool loaded() const { return m_loaded; }

    // Entry of a craft type; out-of-range numbers give an entry with empty texts.
    const CraftEntry& entry(int craftType) const;
    const std::string& name(int craftType) const { return entry(craftType).name; }
    const std::string& flyability(int craftType) const { return entry(craftType).flyability; }

    const std::vector<CraftCategory>& categories() const { return m_categories; }
    CraftLocation locate(int craftType) const;

  private:
    void buildCategories();

    std::array<CraftEntry, kCraftTypes> m_entries;
    std::vector<CraftCategory> m_categories;
    CraftEntry m_blank;
    bool m_loaded = false;
};

}  // namespace quendar::mission
