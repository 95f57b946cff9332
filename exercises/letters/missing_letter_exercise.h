#pragma once

#include "exercises/frame/exercise_frame.h"
#include "exercises/frame/exercise_services.h"
#include "exercises/letters/keyboard.h"

#include <QString>

namespace tavenzo {

// Where the missing-first-letter and missing-inner-letter screens differ; everything else is one model.
struct MissingLetterOptions {
    bool randomPosition = false; // the hidden position is drawn, or always the first
    bool pictureMoves = false; // the picture steps sideways after each right answer, by the parity of ContaEsercizi
};

// A word from the list with one character masked by "_", completed with the on-screen keyboard.
class MissingLetterExercise final : public Exercise {
public:
    static constexpr MissingLetterOptions kMissingFirstLetter {.randomPosition = false, .pictureMoves = false};
    static constexpr MissingLetterOptions kMissingInnerLetter {.randomPosition = true, .pictureMoves = true};

    MissingLetterExercise(ExerciseServices services, MissingLetterOptions options);

    void open() override;
    void PreparaEsercizio();
    // A click on Option1 (lower) or Option2 (upper): a new word in that case, nothing counted.
    void setCase(LetterCase letterCase) override;
    // A click on key Index; true when it gave the hidden letter. Keys that are gone do nothing.
    bool press(int index);

    const Keyboard& keyboard() const { return m_keyboard; }
    int IndiceParola() const { return m_indiceParola; }
    const QString& LetteraNascosta() const { return m_letteraNascosta; }
    const QString& ParolaMascherata() const { return m_parolaMascherata; }
    qint16 ContaEsercizi() const { return m_contaEsercizi; }
    // What Label1 shows: the masked word, then the whole word after the right letter.
    const QString& label1() const { return m_label1; }
    // The picture file of the word; empty when it has none.
    const QString& picture() const { return m_picture; }
    // How many steps the picture stands from its place in the form: negative to the left.
    int pictureSteps() const { return m_pictureSteps; }

private:
    ExerciseServices m_services;
    MissingLetterOptions m_options;
    Keyboard m_keyboard;
    int m_indiceParola = 1;
    QString m_letteraNascosta;
    QString m_parolaMascherata;
    qint16 m_contaEsercizi = 0;
    QString m_label1;
    QString m_picture;
    int m_pictureSteps = 0;
};

} // namespace tavenzo
