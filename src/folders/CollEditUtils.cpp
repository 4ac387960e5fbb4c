#include "folders/CollEditUtils.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "base/CommaText.h"
#include "utils/ConfigFunUtils.h"
#include "utils/ConfigPropUtils.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

namespace {

// Moves the items one place towards `step` (-1 up, +1 down), visiting them
// from the edge they move to, so that the first of a block makes room for
// the next.
TPositions MoveItemsByOne(TCollection& items, const TPositions& selected, int step) {
    TPositions moved(selected.begin(), selected.end());
    std::sort(moved.begin(), moved.end());
    if (step > 0)
        std::reverse(moved.begin(), moved.end());
    int blocked = step < 0 ? -1 : items.Count();
    for (int& position : moved) {
        const int target = position + step;
        if (target == blocked || position < 0 || position >= items.Count()) {
            blocked = position;  // stays, and holds back the next one
            continue;
        }
        items.Items(position)->SetIndex(target);
        position = target;
    }
    std::sort(moved.begin(), moved.end());
    return moved;
}

// Holds a collection's change notifications for a bulk change.
class TUpdateBracket {
  public:
    explicit TUpdateBracket(TCollection& items) : items_(items) { items_.BeginUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;
    ~TUpdateBracket() { items_.EndUpdate(); }

  private:
    TCollection& items_;
};

// Appends one item per source and lets `fill` make it; failures are left
// out.
template <class Source, class Fill>
TPositions AppendFilled(TCollection& items, const Source& sources, Fill fill) {
    TPositions added;
    for (const auto& source : sources) {
        TCollectionItem* item = items.Add();
        try {
            fill(*item, source);
        } catch (const std::exception&) {
            delete item;  // an item that cannot be made is dropped quietly
            continue;
        }
        added.push_back(item->Index());
    }
    return added;
}

// ---- the stream -------------------------------------------------------------------

constexpr char kStreamSignature[] = "Nimbra.Collection.1";
constexpr char kStreamSection[] = "Clipboard";
constexpr char kCountSuffix[] = ".Count";

using TStreamValues = std::map<std::pair<std::string, std::string>, std::string>;

// Publishes a collection to the property storage as "Data".
class TStreamHolder : public TPersistent {
  public:
    explicit TStreamHolder(TCollection* data) : data_(data) {}
    TCollection* Data() const { return data_; }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(typeid(TStreamHolder), "TStreamHolder",
                                     &TPersistent::StaticClassInfo(),
                                     {Published("Data", &TStreamHolder::Data, nullptr)});
        return info;
    }

  private:
    TCollection* data_;
};

std::unique_ptr<TPropsStorage> StreamStorage(TStreamHolder& holder, TStreamValues& values) {
    auto storage = std::make_unique<TPropsStorage>();
    storage->AObject = &holder;
    storage->Section = kStreamSection;
    storage->OnWriteString = [&values](TPropsStorage&, const std::string& section,
                                       const std::string& ident, const std::string& value) {
        values[{section, ident}] = value;
    };
    storage->OnDeleteKey = [&values](TPropsStorage&, const std::string& section,
                                     const std::string& ident) {
        values.erase({section, ident});
    };
    storage->OnEraseSection = [&values](TPropsStorage&, const std::string& section) {
        std::erase_if(values, [&](const auto& entry) { return entry.first.first == section; });
    };
    storage->OnReadString = [&values](TPropsStorage&, const std::string& section,
                                      const std::string& ident, const std::string& defaultValue) {
        const auto it = values.find({section, ident});
        return it != values.end() ? it->second : defaultValue;
    };
    return storage;
}

// Every count must be a sane number, and all together bounded: each one
// makes that many items, even without values for them.
void CheckCounts(const TStreamValues& values) {
    long long total = 0;
    for (const auto& [key, value] : values) {
        const std::string& ident = key.second;
        if (!ident.ends_with(kCountSuffix))
            continue;
        int count = 0;
        if (!TryStrToInt(Trim(value), count) || count < 0)
            throw EConvertError("Invalid item count '" + value + "' on the clipboard");
        total += count;
        if (total > kMaxStreamItems)
            throw EConvertError("The clipboard holds too many items");
    }
}

}  // namespace

bool CanMoveUp(const TPositions& selected) {
    return !selected.empty() && *std::min_element(selected.begin(), selected.end()) > 0;
}

bool CanMoveDown(const TPositions& selected, int count) {
    return !selected.empty() && *std::max_element(selected.begin(), selected.end()) < count - 1;
}

TPositions MoveItemsUp(TCollection& items, const TPositions& selected) {
    const TUpdateBracket bracket(items);
    return MoveItemsByOne(items, selected, -1);
}

TPositions MoveItemsDown(TCollection& items, const TPositions& selected) {
    const TUpdateBracket bracket(items);
    return MoveItemsByOne(items, selected, +1);
}

TPositions DropItems(TCollection& items, const TPositions& selected, int dragged, int target) {
    TPositions sorted(selected.begin(), selected.end());
    std::sort(sorted.begin(), sorted.end());
    const int count = items.Count();
    if (sorted.empty() || sorted.front() < 0 || sorted.back() >= count || target < 0 ||
        target >= count)
        return sorted;
    const TUpdateBracket bracket(items);
    if (sorted.size() == 1) {
        items.Items(sorted.front())->SetIndex(target);
        return {target};
    }
    int distance = target - dragged;
    distance = std::min(distance, count - 1 - sorted.back());
    distance = std::max(distance, -sorted.front());
    if (distance == 0)
        return sorted;
    // Moving down, the lowest item goes first, so the others' places stay.
    TPositions order = sorted;
    if (distance > 0)
        std::reverse(order.begin(), order.end());
    for (int position : order)
        items.Items(position)->SetIndex(position + distance);
    for (int& position : sorted)
        position += distance;
    return sorted;
}

void DeleteItems(TCollection& items, const TPositions& selected) {
    std::vector<TCollectionItem*> doomed;
    for (int position : selected) {
        if (position >= 0 && position < items.Count())
            doomed.push_back(items.Items(position));
    }
    const TUpdateBracket bracket(items);
    for (TCollectionItem* item : doomed)
        delete item;
}

TCollectionItem* AddEditedItem(TCollection& items, int insertAfter,
                               const std::function<bool(TCollectionItem& item)>& edit,
                               bool deleteOnCancel) {
    TCollectionItem* item = items.Add();
    if (insertAfter >= 0 && insertAfter + 1 < items.Count())
        item->SetIndex(insertAfter + 1);
    bool accepted = true;
    try {
        accepted = !edit || edit(*item);
    } catch (...) {
        if (deleteOnCancel)
            delete item;
        throw;
    }
    if (!accepted && deleteOnCancel) {
        delete item;
        return nullptr;
    }
    return item;
}

TPositions AppendCopies(TCollection& items, const TCollection& source) {
    std::vector<const TCollectionItem*> sources;
    for (int i = 0; i < source.Count(); ++i)
        sources.push_back(source.Items(i));
    return AppendFilled(items, sources, [](TCollectionItem& item, const TCollectionItem* from) {
        item.Assign(*from);
    });
}

std::vector<std::string> PastedTextItems(std::string_view text, TTextPasteOptions options) {
    if (!options.Contains(tpText))
        return {};
    if (!options.Contains(tpLines))
        return {std::string(text)};
    // Lines end at CR LF, CR or LF; a break at the very end starts no
    // further line.
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        if (end > start || options.Contains(tpEmptyLines))
            lines.emplace_back(text.substr(start, end - start));
        if (end == text.size())
            break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

TPositions AppendTextItems(
    TCollection& items, const std::vector<std::string>& texts,
    const std::function<void(TCollectionItem& item, const std::string& text)>& fill) {
    return AppendFilled(items, texts, fill);
}

std::string ClipboardText(const std::vector<std::string>& captions) {
    if (captions.size() == 1)
        return captions.front();
    std::string text;
    for (const std::string& caption : captions)
        text += caption + "\r\n";
    return text;
}

std::string DeleteQuestion(int count, const std::string& caption) {
    if (count > 1) {
        std::string text = GetLocalizedString(CodeText("CollBasicFrame", "DeleteConfFmtMany"));
        if (const std::size_t at = text.find("%d"); at != std::string::npos)
            text.replace(at, 2, std::to_string(count));
        return text;
    }
    if (caption.empty())
        return GetLocalizedString(CodeText("CollBasicFrame", "DeleteConf"));
    std::string text = GetLocalizedString(CodeText("CollBasicFrame", "DeleteConfFmt"));
    if (const std::size_t at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, caption);
    return text;
}

std::string ClipboardFormatName(const TCollection& collection, const TCollectionItem& item) {
    return collection.ClassName() + "." + item.ClassName();
}

std::string WriteCollectionStream(const TCollection& items) {
    TStreamValues values;
    TStreamHolder holder(const_cast<TCollection*>(&items));
    StreamStorage(holder, values)->StoreProperties();
    std::vector<std::string> fields{kStreamSignature};
    for (const auto& [key, value] : values) {
        fields.push_back(key.first);
        fields.push_back(key.second);
        fields.push_back(value);
    }
    return EncodeCommaText(fields);
}

void ReadCollectionStream(std::string_view bytes, TCollection& items) {
    const std::vector<std::string> fields = DecodeCommaText(bytes);
    if (fields.empty() || fields.front() != kStreamSignature || (fields.size() - 1) % 3 != 0)
        throw EConvertError("The clipboard holds no items of this program");
    TStreamValues values;
    for (std::size_t i = 1; i + 2 < fields.size(); i += 3)
        values[{fields[i], fields[i + 1]}] = fields[i + 2];
    CheckCounts(values);
    items.Clear();
    TStreamHolder holder(&items);
    StreamStorage(holder, values)->LoadProperties();
}

}  // namespace nimbra
