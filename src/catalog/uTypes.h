#pragma once

#include <QString>

#include <memory>
#include <vector>

// Bases of the catalogue's items and collections. A collection owns its items: adding creates
// one with its defaults, clearing or destroying the collection destroys them. Items are
// addressed by position, in insertion order, and keep their address while they exist.
namespace zelto {

class TuCollectionItem {
public:
    virtual ~TuCollectionItem() = default;

    QString Name;
    bool Enable = true;
    qint32 ImageIndex = 8;
};

template <class TItem>
class TuCollection {
public:
    TItem &Add()
    {
        FItems.push_back(std::make_unique<TItem>());
        return *FItems.back();
    }
    // Throws std::out_of_range outside 0 to Count() - 1.
    TItem &Items(int index) { return *FItems.at(std::size_t(index)); }
    const TItem &Items(int index) const { return *FItems.at(std::size_t(index)); }
    int Count() const { return int(FItems.size()); }
    void Clear() { FItems.clear(); }
    // Destroys the items from position `first` to the end.
    void RemoveFrom(int first)
    {
        if (first >= 0 && first < Count())
            FItems.erase(FItems.begin() + first, FItems.end());
    }

private:
    std::vector<std::unique_ptr<TItem>> FItems;
};

} // namespace zelto
