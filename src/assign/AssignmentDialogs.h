#pragma once
// The modal dialogs that an assignment may open, as ApplyAssignment sees them: what each is given and
// what it hands back when it ends. The windows implement this; tests script it.

#include <array>
#include <cstdint>
#include <string>

#include "model/ProfileTable.h"

namespace qor {

// End codes of the dialogs.
enum class DialogEnd : std::int32_t {
    Ok = 1,
    Cancel = 2,
    Close = 16, // the macro editor's Close
};

inline constexpr std::uint8_t kNoKey = 255;
// Fire-key values of the key that stand for mouse buttons.
inline constexpr std::uint8_t kFireLeftButton = 240;
inline constexpr std::uint8_t kFireRightButton = 241;
inline constexpr std::uint8_t kFireMiddleButton = 242;

using AssignDataBytes = std::array<std::uint8_t, kAssignDataSize>;

enum class KeyCaptureMode : std::int32_t { Combination = 0, SingleKey = 1 };

struct KeyCaptureRequest {
    KeyCaptureMode mode = KeyCaptureMode::SingleKey;
    std::string firstText;  // title
    std::string secondText; // prompt
    std::uint8_t key = kNoKey;  // key usage shown at the start; 255 = none
    std::int32_t keyCount = 0;  // combination shown at the start when 2 or more
    AssignDataBytes eventData{};
};

struct KeyCaptureResult {
    DialogEnd end = DialogEnd::Cancel;
    std::uint8_t key = kNoKey;
    std::int32_t keyCount = 0;
    AssignDataBytes eventData{};
};

struct FireKeyRequest {
    std::string firstText;
    std::string secondText;
    std::int32_t choice = 0; // 0 left, 1 right, 2 middle button, 3 keyboard key
    std::int32_t firstNumber = 0;
    std::int32_t secondNumber = 0;
    std::uint8_t key = 0;
    AssignDataBytes eventData{};
};

struct FireKeyResult {
    DialogEnd end = DialogEnd::Cancel;
    std::uint8_t key = kNoKey; // 240..242 for a mouse button, else a key usage; 255 = none
    std::int32_t keyCount = 0; // 1 once a keyboard key was reported
    std::int32_t firstNumber = 0;
    std::int32_t secondNumber = 0;
};

struct MacroEditorResult {
    DialogEnd end = DialogEnd::Close;
    std::string macroName; // the macro selected when the editor ended; may be empty
};

class AssignmentDialogs {
public:
    virtual ~AssignmentDialogs() = default;
    // The warning dialog; its answer does not matter to an assignment.
    virtual void ShowWarning(const std::string& first, const std::string& second, const std::string& third) = 0;
    virtual KeyCaptureResult RunKeyCapture(const KeyCaptureRequest& request) = 0;
    virtual FireKeyResult RunFireKey(const FireKeyRequest& request) = 0;
    virtual MacroEditorResult RunMacroEditor() = 0;
};

} // namespace qor
