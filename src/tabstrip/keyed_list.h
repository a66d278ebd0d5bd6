// An ordered list, indexed from 1, whose entries can also be found by key.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

template <class T>
class KeyedList {
public:
    size_t Count() const { return items_.size(); }
    const T& Item(size_t index) const { return items_.at(index - 1).second; }  // 1-based
    const std::string& Key(size_t index) const { return items_.at(index - 1).first; }
    void Add(const std::string& key, T value) { items_.emplace_back(key, std::move(value)); }
    void Remove(size_t index) { items_.erase(items_.begin() + static_cast<long>(index - 1)); }
    std::optional<T> Find(const std::string& key) const {
        for (const auto& [k, v] : items_)
            if (k == key) return v;
        return std::nullopt;
    }
    bool Contains(const std::string& key) const { return Find(key).has_value(); }
    void Clear() { items_.clear(); }

private:
    std::vector<std::pair<std::string, T>> items_;
};
