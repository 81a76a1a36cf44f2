#pragma once
// The INI engine's text helpers are the shared ones.
#include "platform/text/Utf8.h"
