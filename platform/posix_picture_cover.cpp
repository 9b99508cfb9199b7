// The Linux build draws no pictures without OpenGL: there the run says in
// words what the display lacks.
#include "platform/picture_cover.h"

std::unique_ptr<PictureCover> openPictureCover(const std::vector<ScreenRect>&, int,
                                               const std::string&, CoverPictures, bool) {
    return nullptr;
}

std::unique_ptr<PictureCover> openPicturePreview(NativeWindowHandle, CoverPictures) {
    return nullptr;
}
