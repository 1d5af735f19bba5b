#include "gravox/devices/octree_quantiser.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace gvx {

namespace {

// The child of a colour below a node of the given level: one bit of each component.
int child_slot(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int level) {
    const int shift = 7 - level;
    return (((red >> shift) & 1) << 2) | (((green >> shift) & 1) << 1) | ((blue >> shift) & 1);
}

}  // namespace

OctreeQuantiser::OctreeQuantiser() {
    nodes_.reserve(1024);
    nodes_.emplace_back();  // the root, an inner node of level 0
    inner_[0].push_back(0);
}

std::int32_t OctreeQuantiser::new_node(int level) {
    std::int32_t id;
    if (!free_.empty()) {
        id = free_.back();
        free_.pop_back();
        nodes_[static_cast<std::size_t>(id)] = Node();
    } else {
        id = static_cast<std::int32_t>(nodes_.size());
        nodes_.emplace_back();
    }
    Node& n = nodes_[static_cast<std::size_t>(id)];
    n.level = static_cast<std::uint8_t>(level);
    n.leaf = level == kDepth;
    if (n.leaf)
        ++leaves_;
    else
        inner_[static_cast<std::size_t>(level)].push_back(id);
    return id;
}

bool OctreeQuantiser::add(const std::uint8_t* rgb, std::size_t count) {
    if (failed_) return false;
    if (finished_) return true;
    try {
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t r = rgb[3 * i], g = rgb[3 * i + 1], b = rgb[3 * i + 2];
            std::int32_t id = 0;
            for (;;) {
                ++nodes_[static_cast<std::size_t>(id)].count;
                if (nodes_[static_cast<std::size_t>(id)].leaf) break;
                const int level = nodes_[static_cast<std::size_t>(id)].level;
                const auto slot = static_cast<std::size_t>(child_slot(r, g, b, level));
                std::int32_t next = nodes_[static_cast<std::size_t>(id)].child[slot];
                if (next < 0) {
                    next = new_node(level + 1);  // may move the nodes: index again below
                    nodes_[static_cast<std::size_t>(id)].child[slot] = next;
                }
                id = next;
            }
            Node& leaf = nodes_[static_cast<std::size_t>(id)];
            leaf.red += r;
            leaf.green += g;
            leaf.blue += b;
            if (leaves_ > kMaxLeaves) reduce(kMaxLeaves / 2);
        }
        return true;
    } catch (const std::bad_alloc&) {
        failed_ = true;
        return false;
    }
}

void OctreeQuantiser::fold(std::int32_t id) {
    Node& n = nodes_[static_cast<std::size_t>(id)];
    int children = 0;
    for (std::int32_t& c : n.child) {
        if (c < 0) continue;
        const Node& child = nodes_[static_cast<std::size_t>(c)];
        n.red += child.red;
        n.green += child.green;
        n.blue += child.blue;
        free_.push_back(c);
        c = -1;
        ++children;
    }
    n.leaf = true;
    // The node becomes a leaf in place of its children (a childless root becomes one too).
    leaves_ += 1 - children;
}

void OctreeQuantiser::reduce(int target) {
    for (int level = kDepth - 1; level >= 0 && leaves_ > target; --level) {
        std::vector<std::int32_t>& list = inner_[static_cast<std::size_t>(level)];
        // All inner nodes of the deepest inner level have only leaves below them.
        std::stable_sort(list.begin(), list.end(), [this](std::int32_t a, std::int32_t b) {
            return nodes_[static_cast<std::size_t>(a)].count <
                   nodes_[static_cast<std::size_t>(b)].count;
        });
        std::size_t done = 0;
        while (done < list.size() && leaves_ > target) fold(list[done++]);
        list.erase(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(done));
    }
}

void OctreeQuantiser::number(std::int32_t id) {
    Node& n = nodes_[static_cast<std::size_t>(id)];
    if (n.leaf) {
        if (n.count == 0) return;  // an empty root: no colours at all
        n.palette_index = static_cast<std::int32_t>(palette_.size());
        const std::uint64_t half = n.count / 2;
        const auto r = static_cast<std::uint32_t>((n.red + half) / n.count);
        const auto g = static_cast<std::uint32_t>((n.green + half) / n.count);
        const auto b = static_cast<std::uint32_t>((n.blue + half) / n.count);
        palette_.push_back(r << 16 | g << 8 | b);
        return;
    }
    for (std::int32_t c : n.child)
        if (c >= 0) number(c);
}

bool OctreeQuantiser::finish(int max_colours) {
    if (failed_) return false;
    if (finished_) return true;
    max_colours = std::clamp(max_colours, 1, 256);
    try {
        reduce(max_colours);
        palette_.reserve(static_cast<std::size_t>(max_colours));
        number(0);
    } catch (const std::bad_alloc&) {
        failed_ = true;
        return false;
    }
    finished_ = true;
    return true;
}

int OctreeQuantiser::nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    int best = 0, best_distance = 1 << 30;
    for (int i = 0; i < colours(); ++i) {
        const std::uint32_t e = palette_[static_cast<std::size_t>(i)];
        const int d = std::abs(static_cast<int>((e >> 16) & 0xFF) - red) +
                      std::abs(static_cast<int>((e >> 8) & 0xFF) - green) +
                      std::abs(static_cast<int>(e & 0xFF) - blue);
        if (d < best_distance) {
            best_distance = d;
            best = i;
            if (d == 0) break;
        }
    }
    return best;
}

std::uint8_t OctreeQuantiser::index(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    if (!finished_ || palette_.empty()) return 0;
    std::int32_t id = 0;
    for (;;) {
        const Node& n = nodes_[static_cast<std::size_t>(id)];
        if (n.leaf) return static_cast<std::uint8_t>(n.palette_index);
        const std::int32_t next =
            n.child[static_cast<std::size_t>(child_slot(red, green, blue, n.level))];
        if (next < 0) return static_cast<std::uint8_t>(nearest(red, green, blue));
        id = next;
    }
}

void OctreeQuantiser::map(const std::uint8_t* rgb, std::size_t count, std::uint8_t* indices) const {
    std::uint8_t lr = 0, lg = 0, lb = 0, last = 0;
    bool have_last = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t r = rgb[3 * i], g = rgb[3 * i + 1], b = rgb[3 * i + 2];
        if (!have_last || r != lr || g != lg || b != lb) {
            last = index(r, g, b);
            lr = r;
            lg = g;
            lb = b;
            have_last = true;
        }
        indices[i] = last;
    }
}

}  // namespace gvx
