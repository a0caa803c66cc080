#include "RelatedChoice_win.h"

#include <cstdint>

#include "BrisvaneRes.h"
#include "Settings_win.h"

namespace brisvane {

namespace {

constexpr wchar_t kSearchKey[] = L"search";
constexpr wchar_t kRelatedValue[] = L"Related";
constexpr wchar_t kVoicingValue[] = L"FoldVoicing";
constexpr wchar_t kLongVowelValue[] = L"FoldLongVowel";

void Read(const wchar_t* value, bool* flag) {
  uint32_t stored = 0;
  if (exchange::ReadNumberSetting(kSearchKey, value, &stored)) *flag = stored != 0;
}

}  // namespace

void RelatedChoice::Restore() {
  Read(kRelatedValue, &on);
  Read(kVoicingValue, &options.voicing);
  Read(kLongVowelValue, &options.longVowel);
}

void RelatedChoice::AddCommands(ui::CommandTable& commands, std::function<void()> changed) {
  const struct {
    int id;
    bool* flag;
    const wchar_t* value;
  } choices[] = {{IDM_RELATED, &on, kRelatedValue},
                 {IDM_FOLD_VOICING, &options.voicing, kVoicingValue},
                 {IDM_FOLD_LONGVOWEL, &options.longVowel, kLongVowelValue}};
  for (const auto& choice : choices) {
    commands.Add(choice.id, [choice, changed](int, HWND) {
      *choice.flag = !*choice.flag;
      exchange::WriteNumberSetting(kSearchKey, choice.value, *choice.flag ? 1 : 0);
      changed();
    });
  }
}

void RelatedChoice::UpdateMenu(HMENU menu) const {
  CheckMenuItem(menu, IDM_RELATED, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, IDM_FOLD_VOICING, MF_BYCOMMAND | (options.voicing ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, IDM_FOLD_LONGVOWEL, MF_BYCOMMAND | (options.longVowel ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace brisvane
