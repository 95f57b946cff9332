#include "core/list_in_force.h"

#include "core/list_check.h"
#include "core/paths.h"
#include "core/ports.h"
#include "core/word_list_reader.h"

namespace tavenzo {

ListInForce::ListInForce(
    SharedState& state, const Paths& paths, MessageBoxes& boxes, PictureCheck& pictureCheck, ContentKind pictures)
    : m_state(state)
    , m_paths(paths)
    , m_boxes(boxes)
    , m_pictureCheck(pictureCheck)
    , m_pictures(std::move(pictures), paths.contentPlaces({}))
    , m_voices(voiceKind(), paths.voicePlaces({}))
{
}

bool ListInForce::read(const QString& path)
{
    const WordListLoad load = CaricaElencoParole(path, m_state, m_boxes);
    if (!load.loaded()) {
        return false;
    }
    m_path = path;
    m_emptyLinesSkipped = load.emptyLinesSkipped;
    m_pictures.setPlaces(m_paths.contentPlaces(path));
    m_voices.setPlaces(m_paths.voicePlaces(path));
    return true;
}

void ListInForce::report()
{
    const QString message = listCheckMessage(
        checkList(m_state, m_pictures, m_pictureCheck, m_emptyLinesSkipped, m_wordsSpoken ? &m_voices : nullptr));
    if (!message.isEmpty()) {
        m_boxes.information(message);
    }
}

bool ListInForce::load(const QString& path)
{
    if (!read(path)) {
        return false;
    }
    report();
    return true;
}

} // namespace tavenzo
