#pragma once

// The rules of the collection editor frame that need no window: moving the
// selected items, dropping dragged ones, adding with a dialog that may be
// cancelled, pasting, the texts the frame asks and puts on the clipboard,
// and the byte form of its private clipboard format.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Collections.h"
#include "base/Set.h"

namespace nimbra {

// Positions of items in a collection (or rows in a list), ascending.
using TPositions = std::vector<int>;

// Up is possible when something is selected and the first is not the top;
// down when the last is not the bottom of `count`.
bool CanMoveUp(const TPositions& selected);
bool CanMoveDown(const TPositions& selected, int count);

// Moves each selected item one place up (processed from the top) or down
// (from the bottom), so that a block keeps together and in order; an item
// that cannot move (at the edge, or held by one that could not) stays.
// Returns the new positions of the selected items.
TPositions MoveItemsUp(TCollection& items, const TPositions& selected);
TPositions MoveItemsDown(TCollection& items, const TPositions& selected);

// A drop of dragged rows on `target`: one selected item moves to the
// target; several all move by target - dragged, the distance cut so that
// none leaves the collection, keeping their order and gaps. Returns the new
// positions of the selected items.
TPositions DropItems(TCollection& items, const TPositions& selected, int dragged, int target);

// Frees the items at the positions.
void DeleteItems(TCollection& items, const TPositions& selected);

// Adds an item at the end, or just after `insertAfter` when that is a
// position, and lets `edit` fill it (when given). When `edit` answers false
// and `deleteOnCancel` is set the item goes again and nullptr is returned;
// otherwise the new item.
TCollectionItem* AddEditedItem(TCollection& items, int insertAfter,
                               const std::function<bool(TCollectionItem& item)>& edit,
                               bool deleteOnCancel);

// Appends a copy of every item of `source`; an item that fails while being
// copied is freed and left out. Returns the positions of the new items.
TPositions AppendCopies(TCollection& items, const TCollection& source);

// What plain text on the clipboard may become: nothing unless tpText; with
// tpLines each line an item (empty lines too with tpEmptyLines), else the
// whole text one item.
enum TTextPasteOption { tpText, tpLines, tpEmptyLines };
using TTextPasteOptions = Set<TTextPasteOption>;

// The texts that become items under the options (none without tpText).
std::vector<std::string> PastedTextItems(std::string_view text, TTextPasteOptions options);

// Appends one item per text, filled by `fill`; an item whose fill fails is
// freed and left out. Returns the positions of the new items.
TPositions AppendTextItems(
    TCollection& items, const std::vector<std::string>& texts,
    const std::function<void(TCollectionItem& item, const std::string& text)>& fill);

// The clipboard's text for copied items: one item's caption alone, or
// every caption followed by a line break.
std::string ClipboardText(const std::vector<std::string>& captions);

// The question before removing: the caption of one item or, when it is
// empty, the general question; the number for several. The caption goes in
// as it is: the system's message box shows "&" as it stands, so doubling
// it (as for a label, which would take it for a hot key) would show "&&".
std::string DeleteQuestion(int count, const std::string& caption);

// The name the private clipboard format is registered by: the class names
// of the collection and of its items, joined by ".".
std::string ClipboardFormatName(const TCollection& collection, const TCollectionItem& item);

// The private clipboard form of a collection: what the property storage
// writes for it as the property "Data", as one comma-text (a signature,
// then section, ident and value of each stored value).
std::string WriteCollectionStream(const TCollection& items);
// Reads such bytes into `items` (which loses what it held). Raises
// EConvertError when the bytes are not in this form or announce more items
// than a clipboard sensibly carries.
void ReadCollectionStream(std::string_view bytes, TCollection& items);

// The most items (all collections together) a stream may announce.
inline constexpr int kMaxStreamItems = 100'000;

}  // namespace nimbra
