#pragma once

// A drop-down list whose rows show an icon of the system's small-icon list
// before their text.
#include <functional>
#include <string>
#include <vector>

#include "controls/StdCtrls.h"

namespace nimbra {

class TImageComboBox : public TComboBox {
  public:
    explicit TImageComboBox(TComponent* owner);

    // The icon of a row: an index in the system's small-icon list, -1 for
    // none. Asked once per row; a row whose text changed is asked again.
    std::function<int(int row)> OnRowImage;
    int RowImage(int row);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    struct TCachedImage {
        std::string Text;
        int Image = -1;
        bool Known = false;
    };
    std::vector<TCachedImage> images_;
};

}  // namespace nimbra
