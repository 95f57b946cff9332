#include "core/list_in_force.h"

#include "core/list_check.h"
#include "core/paths.h"
#include "core/ports.h"
#include "core/word_list_reader.h"

namespace tavenzo {

ListInForce::ListInForce(SharedState& state, const Paths& paths, MessageBoxes& boxes, ContentKind pictures)
    : m_state(state)
    , m_paths(paths)
    , m_boxes(boxes)
    , m_pictures(std::move(pictures), paths.contentPlaces({}))
{
}

bool ListInForce::load(const QString& path)
{
    const WordListLoad load = CaricaElencoParole(path, m_state, m_boxes);
    if (!load.loaded()) {
        return false;
    }
    m_path = path;
    m_pictures.setPlaces(m_paths.contentPlaces(path));
    const QString message = listCheckMessage(checkList(m_state, m_pictures, load.emptyLinesSkipped));
    if (!message.isEmpty()) {
        m_boxes.information(message);
    }
    return true;
}

} // namespace tavenzo
