#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Classes.h"

namespace nimbra {

// A list of same-sized pictures, named by the resources they are loaded
// from (for example "document-open"); the index of a picture is what actions
// and buttons refer to. The pictures themselves are made for each screen
// resolution by the window layer, which keeps them in `PlatformData`.
class TCustomImageList : public TComponent {
  public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    // The size of a picture at 96 dpi.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);

    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& Names(int index) const;
    // Appends a picture; returns its index.
    int Add(std::string_view name);
    // The index of the picture with the name, ignoring case; -1 if none.
    int IndexOf(std::string_view name) const;

    TObject* PlatformData() const { return platformData_.get(); }
    void SetPlatformData(std::unique_ptr<TObject> data) { platformData_ = std::move(data); }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    int width_ = 16;
    int height_ = 16;
    std::vector<std::string> names_;
    std::unique_ptr<TObject> platformData_;
};

}  // namespace nimbra
