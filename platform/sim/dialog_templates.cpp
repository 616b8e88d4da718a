#include "platform/sim/dialog_templates.h"

namespace sim {

namespace {

// As resources/vortau.rc gives them.
const DialogTemplate kTemplates[] = {
    {129, u"", false, 1, {{1002, u""}, {1001, u""}, {1, u"OK"}}, 1001},
    {130,
     u"Corvane",
     true,
     1,
     {{1008, u""},
      {1003, u"", true},
      {1012, u""},
      {1009, u""},
      {1004, u"", true},
      {1013, u""},
      {1010, u""},
      {1005, u"", true},
      {1014, u""},
      {1011, u""},
      {1006, u"", true},
      {1015, u""},
      {1007, u""},
      {1, u"Cancel"}},
     1003},
    {131, u"Corvane", false, 1, {{1016, u""}, {1017, u""}, {1, u"Start"}, {2, u"Cancel"}}, 1},
    {132, u"Corvane", false, 2, {{1018, u"", true}, {1, u"OK"}, {2, u"Disagree"}}, 1018},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& dialog : kTemplates) {
        if (dialog.id == id) {
            return &dialog;
        }
    }
    return nullptr;
}

}  // namespace sim
