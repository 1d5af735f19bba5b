// Octree colour quantisation: reduces the colours of a true-colour image to a palette
// of at most 256 entries for the indexed image formats.
//
// Colours are sorted into an octree by their bits, most significant first (one level
// per bit, three bits per level: red, green, blue). Every leaf of the tree is one
// palette entry, the average of the colours that fell into it. To get down to the
// wanted number of entries, the nodes of the deepest level that still has inner nodes
// are folded into their parents, those with the fewest pixels first. While colours
// are added the tree is kept below a fixed number of leaves in the same way, so the
// memory stays bounded whatever the image.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace gvx {

class OctreeQuantiser {
  public:
    OctreeQuantiser();

    // Adds count pixels of three bytes red, green, blue. Returns false when memory ran
    // out; the quantiser is then unusable.
    bool add(const std::uint8_t* rgb, std::size_t count);

    // Reduces the tree to at most max_colours leaves (1 to 256) and numbers them.
    // Colours added afterwards are ignored. Returns false when memory ran out.
    bool finish(int max_colours = 256);

    // After finish: the number of palette entries (0 for an image without pixels) and
    // entry i as 0x00RRGGBB (0 past the end).
    int colours() const { return static_cast<int>(palette_.size()); }
    std::uint32_t palette(int i) const {
        return i >= 0 && i < colours() ? palette_[static_cast<std::size_t>(i)] : 0;
    }

    // After finish: the palette index of a colour. A colour that was added falls into its
    // leaf; any other colour gets the nearest entry by the sum of component distances.
    std::uint8_t index(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

    // Maps count pixels of three bytes to palette indices.
    void map(const std::uint8_t* rgb, std::size_t count, std::uint8_t* indices) const;

  private:
    static constexpr int kDepth = 8;
    // Leaves kept at most while colours are added.
    static constexpr int kMaxLeaves = 8192;

    struct Node {
        std::uint64_t count = 0;                     // pixels in this subtree
        std::uint64_t red = 0, green = 0, blue = 0;  // sums over the pixels (leaves only)
        std::array<std::int32_t, 8> child;
        std::int32_t palette_index = 0;
        std::uint8_t level = 0;
        bool leaf = false;
        Node() { child.fill(-1); }
    };

    std::int32_t new_node(int level);
    // Folds inner nodes of the deepest levels into leaves until at most target leaves
    // remain.
    void reduce(int target);
    void fold(std::int32_t id);
    void number(std::int32_t id);
    int nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

    std::vector<Node> nodes_;
    std::vector<std::int32_t> free_;
    // Inner nodes of each level, the candidates for folding.
    std::array<std::vector<std::int32_t>, kDepth> inner_;
    int leaves_ = 0;
    bool finished_ = false;
    bool failed_ = false;
    std::vector<std::uint32_t> palette_;
};

}  // namespace gvx
