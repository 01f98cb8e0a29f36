// Which ancestor folders of the path registered just before the current one
// are known to be keys of the path map, during a run of registrations in which
// nothing else changes the map.
//
// Registering a path looks each of its ancestor folders up in the map, a walk
// down the tree for each. Packages listed one after another mostly share their
// ancestors (hundreds of rows under E:\网络游戏), and a key, once there, stays
// there while only registration changes the map: a repeated lookup can be
// skipped when the same ancestor text was made a key for the previous path.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CKnownAncestors {
public:
    // Forgets everything: the map may change without this memory knowing.
    void Clear();
    // The walk of a new path, `registered`, starts; the ancestors the path
    // before it made sure of stay known.
    void StartPath(const std::string& registered);
    // Whether `ancestor`, a prefix of the current path, was made sure of as a
    // key while the previous path was registered.
    bool IsKnown(const std::string& ancestor) const;
    // `ancestor`, a prefix of the current path, is now a key.
    void Ensured(const std::string& ancestor);

private:
    // A path and the lengths of its prefixes that are keys.
    struct Walked {
        std::string path;
        std::vector<size_t> keyLengths;
    };
    Walked m_previous;
    Walked m_current;
};
