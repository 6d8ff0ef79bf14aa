// The application manifest.

#include "make_assets.h"

namespace {

// One empty assembly element, closed on the next line, Windows line break.
const char kManifest[] =
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "</assembly>";

}  // namespace

Bytes manifestText() { return Bytes(kManifest, kManifest + sizeof kManifest - 1); }
