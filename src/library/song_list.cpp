#include "library/song_list.h"

#include <algorithm>
#include <utility>

namespace library {

namespace fs = std::filesystem;

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return out;
}

// Rows sort by what they are called, in any case; the shipped song leads.
bool before(const SongRow& a, const SongRow& b) {
    if (a.shipped != b.shipped) {
        return a.shipped;
    }
    const std::string nameA = lowered(a.name());
    const std::string nameB = lowered(b.name());
    return nameA != nameB ? nameA < nameB : a.path < b.path;
}

// Bytes a UTF-8 sequence starting with `lead` takes; 0 for a byte that
// cannot start one.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

} // namespace

std::string SongRow::name() const {
    return title.empty() ? path.filename().string() : title;
}

void SongList::put(const SongRow& row) {
    putAll({row});
}

void SongList::putAll(std::vector<SongRow> rows) {
    const fs::path keep = chosenRow()    ? chosenRow()->path
                          : rows.empty() ? fs::path()
                                         : rows.front().path;
    for (SongRow& row : rows) {
        auto known = byPath.find(row.path.string());
        if (known != byPath.end()) {
            all[known->second] = std::move(row);
        } else {
            byPath.emplace(row.path.string(), all.size());
            all.push_back(std::move(row));
        }
    }
    std::stable_sort(all.begin(), all.end(), before);
    for (std::size_t i = 0; i < all.size(); ++i) {
        byPath[all[i].path.string()] = i;
    }
    refilter(keep);
}

SongRow* SongList::find(const fs::path& path) {
    return const_cast<SongRow*>(std::as_const(*this).find(path));
}

const SongRow* SongList::find(const fs::path& path) const {
    auto found = byPath.find(path.string());
    return found != byPath.end() ? &all[found->second] : nullptr;
}

const SongRow* SongList::chosenRow() const {
    return chosen >= 0 && chosen < shownCount() ? &shownRow(chosen) : nullptr;
}

bool SongList::matches(const SongRow& row) const {
    if (typed.empty()) {
        return true;
    }
    const std::string wanted = lowered(typed);
    for (const std::string& field : {row.title, row.artist, row.path.filename().string()}) {
        if (lowered(field).find(wanted) != std::string::npos) {
            return true;
        }
    }
    return false;
}

void SongList::refilter(const fs::path& keep) {
    shown.clear();
    chosen = -1;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (matches(all[i])) {
            if (all[i].path == keep) {
                chosen = static_cast<int>(shown.size());
            }
            shown.push_back(i);
        }
    }
    if (chosen < 0 && !shown.empty()) {
        chosen = 0;
    }
    keepInView();
}

void SongList::type(std::string_view text) {
    typed += text;
    refilter(chosenRow() ? chosenRow()->path : fs::path());
}

void SongList::eraseLast() {
    if (typed.empty()) {
        return;
    }
    std::size_t cut = typed.size() - 1;
    while (cut > 0 && (static_cast<unsigned char>(typed[cut]) & 0xC0) == 0x80) {
        --cut; // a continuation byte: the character started earlier
    }
    typed.erase(cut);
    refilter(chosenRow() ? chosenRow()->path : fs::path());
}

void SongList::setPageRows(int rows) {
    pageRows = std::max(1, rows);
    keepInView();
}

void SongList::move(int by) {
    if (shown.empty()) {
        return;
    }
    chosen = std::clamp(chosen + by, 0, shownCount() - 1);
    keepInView();
}

void SongList::home() {
    move(-shownCount());
}

void SongList::end() {
    move(shownCount());
}

void SongList::scroll(int by) {
    top = std::clamp(top + by, 0, std::max(0, shownCount() - pageRows));
    if (chosen >= 0) {
        chosen = std::clamp(chosen, top, std::min(shownCount(), top + pageRows) - 1);
    }
}

void SongList::choose(int shownIndex) {
    if (shownIndex >= 0 && shownIndex < shownCount()) {
        chosen = shownIndex;
        keepInView();
    }
}

void SongList::keepInView() {
    if (chosen < top) {
        top = std::max(chosen, 0);
    } else if (chosen >= top + pageRows) {
        top = chosen - pageRows + 1;
    }
    top = std::clamp(top, 0, std::max(0, shownCount() - pageRows));
}

void SongList::easier() {
    density = density == Density::Hard ? Density::Normal : Density::Easy;
}

void SongList::harder() {
    density = density == Density::Easy ? Density::Normal : Density::Hard;
}

std::string drawableText(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = sequenceLength(lead);
        bool whole = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
        for (int k = 1; whole && k < length; ++k) {
            whole =
                (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0xC0) == 0x80;
        }
        if (!whole) {
            out += '?';
            ++i;
        } else if (length > 1) {
            out += '?';
            i += static_cast<std::size_t>(length);
        } else {
            out += lead < 0x20 || lead == 0x7F ? ' ' : static_cast<char>(lead);
            ++i;
        }
    }
    return out;
}

} // namespace library
