// "Copy as" from the data panel: the window on display as the Details window would show it,
// asked for when the entry is chosen.

#include "details/frmDetails.h"
#include "element/element_rows.h"
#include "main_window/clipboard.h"
#include "main_window/frmMain.h"

namespace tarnwick {

bool frmMain::CopyAsChosen(const CopyAsMenu& menu, std::int32_t chosen, std::int32_t firstId) {
    if (!menu.Holds(chosen, firstId)) {
        return false;
    }
    const WindowFacts facts = QueryWindowFacts(platform_, shown_.handle);
    const std::optional<ElementAnswer>& element = element_.AnswerAbout(shown_.handle);
    const std::vector<ListRow> rows =
        DetailsWindowRows(facts, std::nullopt, element, DescribeStack(platform_.win32, m_Stack));
    PutOnClipboard(platform_.win32, form_->hWnd(),
                   menu.TextFor(chosen, firstId, {facts, rows, element}));
    return true;
}

}  // namespace tarnwick
