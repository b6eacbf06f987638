#include "platform/Platform.h"

// The instance lives until the library is unloaded and owns nothing to release.
Platform::~Platform() = default;
