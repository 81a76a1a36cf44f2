#pragma once
// Drawing decodes text with the shared UTF-8 helpers (DecodeUtf8, EncodeUtf8).
#include "platform/text/Utf8.h"
