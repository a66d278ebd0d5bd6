// The section menus: one table from which the menu bar is built. Each row is
// a top-level menu (depth 1), an entry of it (depth 2) or an entry of the
// nested submenu above it (depth 3).
#pragma once

#include <span>

enum class MenuKind { Top, Leaf, Separator, Submenu };

struct SectionMenuEntry {
    MenuKind kind;
    int depth;
    const char* identifier;
    int number;
    const char* caption;
    const char* path;  // for a leaf: path and query after the site root
};

std::span<const SectionMenuEntry> SectionMenuTable();
