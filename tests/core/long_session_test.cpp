#include "core/alphabet.h"
#include "core/random_source.h"
#include "exercises/letters/missing_letter_exercise.h"
#include "exercises/letters/spell_word_exercise.h"
#include "exercises/pictures/choice_exercise.h"
#include "exercises/pictures/words_onto_pictures_exercise.h"
#include "fakes.h"

#include <QSet>

#include <gtest/gtest.h>

#include <random>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// Everything a session needs, driven by one seeded source for both chance and the player's moves.
struct Session {
    explicit Session(unsigned seed)
        : random(seed)
        , moves(seed * 7919u + 1u)
        , sounds(recorder)
        , beeper(recorder)
        , feedback(sounds, beeper, random, QStringLiteral("/nonexistent/suoni"))
        , pictures(pictureKind(), {QStringLiteral("/nonexistent")})
    {
        loadList(40);
    }
    void loadList(int words)
    {
        for (int i = 1; i <= words; ++i) {
            // A few duplicates and mixed case, as real lists have.
            state.word(i) = i % 9 == 0 ? QStringLiteral("Cane") : QStringLiteral("Parola%1").arg(i % 31);
        }
        state.NumeroParole = static_cast<qint16>(words);
    }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(moves); }
    ExerciseServices services() { return {state, random, feedback, pictures, clock}; }

    SeededRandom random;
    std::mt19937 moves;
    Recorder recorder;
    SharedState state;
    FakeSoundPlayer sounds;
    FakeBeeper beeper;
    Feedback feedback;
    ContentFinder pictures;
    FakeClock clock;
};

void expectDistinctSlotsInRange(const ChoiceExercise& model, const SharedState& state)
{
    QSet<int> seen;
    for (int k = 0; k < ChoiceExercise::kChoices; ++k) {
        const int s = model.slot(k);
        ASSERT_GE(s, 1);
        ASSERT_LE(s, state.NumeroParole);
        seen.insert(s);
    }
    ASSERT_EQ(seen.size(), ChoiceExercise::kChoices);
    ASSERT_GE(model.PosizioneGiusta(), 1);
    ASSERT_LE(model.PosizioneGiusta(), 6);
}

qint16 bump(qint16 count)
{
    return count < kCounterMax ? static_cast<qint16>(count + 1) : count;
}

class ChoiceSession : public ::testing::TestWithParam<bool> { };

TEST_P(ChoiceSession, ThousandsOfAnswersKeepEveryInvariant)
{
    const bool disegni = GetParam();
    Session session(disegni ? 11u : 7u);
    ChoiceExercise model(
        session.services(), disegni ? ChoiceExercise::kPictureForWord : ChoiceExercise::kWordForPicture);
    qint16 right = 0;
    qint16 wrong = 0;
    session.state.AttendiAvanti = true;
    model.open();
    for (int step = 0; step < 6000; ++step) {
        const int move = session.pick(100);
        if (move < 45) {
            const bool waiting = !model.choicesEnabled();
            const int index = session.pick(6);
            // Right is the word asked for, in whichever place it stands.
            const QString& asked = session.state.word(model.slot(model.PosizioneGiusta() - 1));
            const bool wasRight = session.state.word(model.slot(index)).compare(asked, Qt::CaseInsensitive) == 0;
            const bool answered = model.choose(index);
            if (waiting) {
                ASSERT_FALSE(answered);
            } else {
                ASSERT_EQ(answered, wasRight);
                (wasRight ? right : wrong) = bump(wasRight ? right : wrong);
            }
        } else if (move < 65) {
            model.avanti();
        } else if (move < 75) {
            model.setCase(session.pick(2) == 0 ? LetterCase::Lower : LetterCase::Upper);
        } else if (move < 80) {
            model.reset();
            right = 0;
            wrong = 0;
        } else if (move < 88) {
            // Leave and come back, possibly in the other avanti mode.
            FakeMessageBoxes boxes;
            ASSERT_TRUE(model.leave(boxes));
            right = 0;
            wrong = 0;
            session.state.AttendiAvanti = session.pick(2) == 0;
            model.open();
        } else if (move < 90) {
            session.loadList(6 + session.pick(60));
            model.PreparaEsercizio();
        }
        ASSERT_TRUE(model.ready());
        expectDistinctSlotsInRange(model, session.state);
        ASSERT_EQ(session.state.ContaEsatti, right);
        ASSERT_EQ(session.state.ContaErrati, wrong);
        ASSERT_EQ(model.frame().esattiText() == QStringLiteral("0")
                || model.frame().esattiText() == QStringLiteral(" %1").arg(right),
            true);
        if (!model.frame().avantiVisible()) {
            ASSERT_FALSE(model.frame().avantiEnabled());
            ASSERT_TRUE(model.choicesEnabled());
        } else {
            ASSERT_EQ(model.frame().avantiEnabled(), !model.choicesEnabled());
            ASSERT_EQ(model.markedChoice() >= 0, !model.choicesEnabled());
        }
        ASSERT_TRUE(session.state.word(0).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(LongSession, ChoiceSession, ::testing::Values(false, true),
    [](const auto& info) { return info.param ? std::string("disegni") : std::string("parole"); });

TEST(LongSession, WordsOntoPictures)
{
    Session session(23u);
    WordsOntoPicturesExercise model(session.services());
    session.state.AttendiAvanti = true;
    model.open();
    qint16 right = 0;
    qint16 wrong = 0;
    for (int step = 0; step < 6000; ++step) {
        const int move = session.pick(100);
        const bool complete = model.ParoleCollocate() == WordsOntoPicturesExercise::kWords;
        if (move < 55) {
            const int box = session.pick(3);
            const int word = session.pick(3);
            const bool canDrag = model.wordEnabled(word);
            const int placedBefore = model.ParoleCollocate();
            // Right is an empty box under a picture of the same word (the session's list holds "Cane" many times).
            const bool fits = model.boxText(box).isEmpty()
                && session.state.word(model.slot(box))
                        .compare(session.state.word(model.slot(word)), Qt::CaseInsensitive)
                    == 0;
            const WordsOntoPicturesExercise::Drop result = model.drop(box, word);
            if (!canDrag || complete) {
                ASSERT_EQ(result, WordsOntoPicturesExercise::Drop::Ignored);
            } else if (fits) {
                ASSERT_EQ(result, WordsOntoPicturesExercise::Drop::Right);
                if (placedBefore == 2) {
                    right = bump(right);
                }
            } else {
                ASSERT_EQ(result, WordsOntoPicturesExercise::Drop::Wrong);
                ASSERT_EQ(model.frame().background(), 0u) << "a wrong drop turns the window black";
                wrong = bump(wrong);
            }
        } else if (move < 70) {
            model.avanti();
        } else if (move < 78) {
            if (session.pick(2) == 0) {
                model.ScriviMaiuscolo();
            } else {
                model.ScriviMinuscolo();
            }
        } else if (move < 82) {
            model.reset();
            right = 0;
            wrong = 0;
        } else if (move < 88) {
            FakeMessageBoxes boxes;
            ASSERT_TRUE(model.leave(boxes));
            session.state.AttendiAvanti = session.pick(2) == 0;
            model.open();
            right = 0;
            wrong = 0;
        } else if (move < 90) {
            session.loadList(3 + session.pick(60));
            model.GeneraEsercizio();
        }
        ASSERT_TRUE(model.ready());
        QSet<int> seen;
        int placedWords = 0;
        int filledBoxes = 0;
        for (int w = 0; w < WordsOntoPicturesExercise::kWords; ++w) {
            ASSERT_GE(model.slot(w), 1);
            ASSERT_LE(model.slot(w), session.state.NumeroParole);
            seen.insert(model.slot(w));
            placedWords += model.wordEnabled(w) ? 0 : 1;
            filledBoxes += model.boxText(w).isEmpty() ? 0 : 1;
        }
        // A word may fill the box of another picture of the same word, but every placed word fills exactly one box.
        ASSERT_EQ(placedWords, filledBoxes);
        ASSERT_EQ(filledBoxes, model.ParoleCollocate());
        ASSERT_EQ(seen.size(), WordsOntoPicturesExercise::kWords);
        ASSERT_GE(model.ParoleCollocate(), 0);
        ASSERT_LE(model.ParoleCollocate(), WordsOntoPicturesExercise::kWords);
        ASSERT_EQ(session.state.ContaEsatti, right);
        ASSERT_EQ(session.state.ContaErrati, wrong);
        if (!model.frame().avantiVisible()) {
            ASSERT_FALSE(model.frame().avantiEnabled());
            ASSERT_LT(model.ParoleCollocate(), WordsOntoPicturesExercise::kWords);
        } else {
            ASSERT_EQ(model.frame().avantiEnabled(), model.ParoleCollocate() == WordsOntoPicturesExercise::kWords);
        }
        ASSERT_TRUE(session.state.word(0).isEmpty());
    }
}

// Words a child can spell on the keyboard, with a few that cannot be answered, as a teacher's list may hold.
void loadLetterList(Session& session, int words)
{
    static const QStringList pool {"cane", "Gatto", "MELA", "sole", "a", "coccinella", "treno", "citt\u00e0",
        "pesce rosso", "zebra", "uva", "", "luna", "kiwi", "nave"};
    for (int i = 1; i <= words; ++i) {
        session.state.word(i) = pool.at((i * 7) % pool.size());
    }
    session.state.NumeroParole = static_cast<qint16>(words);
}

class MissingLetterSession : public ::testing::TestWithParam<bool> { };

TEST_P(MissingLetterSession, ThousandsOfKeyPressesKeepEveryInvariant)
{
    const bool first = GetParam();
    Session session(first ? 31u : 37u);
    loadLetterList(session, 15);
    MissingLetterExercise model(session.services(),
        first ? MissingLetterExercise::kMissingFirstLetter : MissingLetterExercise::kMissingInnerLetter);
    session.state.AttendiAvanti = true;
    model.open();
    qint16 right = 0;
    qint16 wrong = 0;
    for (int step = 0; step < 8000; ++step) {
        const int move = session.pick(100);
        if (move < 70) {
            const int key = session.pick(21);
            const bool visible = model.keyboard().visible(key);
            const bool expectRight = visible && model.keyboard().Alfabeto(key + 1) == keyFor(model.LetteraNascosta());
            const bool answered = model.press(key);
            ASSERT_EQ(answered, expectRight);
            if (visible) {
                (expectRight ? right : wrong) = bump(expectRight ? right : wrong);
            }
            if (!expectRight) {
                ASSERT_FALSE(model.keyboard().visible(key)) << "a pressed key disappears";
            }
        } else if (move < 80) {
            model.avanti();
        } else if (move < 88) {
            model.setCase(session.pick(2) == 0 ? LetterCase::Lower : LetterCase::Upper);
        } else if (move < 91) {
            model.reset();
            right = 0;
            wrong = 0;
        } else if (move < 96) {
            FakeMessageBoxes boxes;
            ASSERT_TRUE(model.leave(boxes));
            right = 0;
            wrong = 0;
            session.state.AttendiAvanti = session.pick(2) == 0;
            model.open();
        } else if (move < 98) {
            loadLetterList(session, 1 + session.pick(15));
            model.PreparaEsercizio();
        }
        ASSERT_GE(model.IndiceParola(), 1);
        ASSERT_LE(model.IndiceParola(), session.state.NumeroParole);
        ASSERT_EQ(session.state.ContaEsatti, right);
        ASSERT_EQ(session.state.ContaErrati, wrong);
        ASSERT_LE(model.keyboard().keysLeft(), 21);
        const QString& word = session.state.word(model.IndiceParola());
        ASSERT_TRUE(model.label1() == model.ParolaMascherata() || model.label1() == word);
        if (first) {
            ASSERT_EQ(model.pictureSteps(), 0) << "the picture of the first-letter exercise never moves";
        }
        if (!model.frame().avantiVisible()) {
            ASSERT_FALSE(model.frame().avantiEnabled());
        }
        ASSERT_TRUE(session.state.word(0).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(LongSession, MissingLetterSession, ::testing::Values(false, true),
    [](const auto& info) { return info.param ? std::string("lettera1") : std::string("lettera"); });

TEST(LongSession, SpellTheWord)
{
    Session session(41u);
    loadLetterList(session, 15);
    FakeClock& clock = session.clock;
    SpellWordExercise model(session.services());
    session.state.AttendiAvanti = true;
    model.open();
    qint16 wrong = 0;
    int completedWords = 0;
    FakeMessageBoxes boxes;
    for (int step = 0; step < 8000; ++step) {
        const qint16 rightBefore = model.frame().esatti();
        const int move = session.pick(100);
        const QString word = session.state.word(model.IndiceParola());
        if (move < 70) {
            // Mostly the right letter, so words do get completed.
            QString placed = model.display();
            placed.remove(QLatin1Char(' '));
            const qsizetype open = placed.indexOf(QLatin1Char('_'));
            int key = session.pick(21);
            if (open >= 0 && session.pick(3) > 0) {
                const int wanted = keyboardAlphabet().indexOf(keyFor(word.mid(open, 1)).toLower());
                if (wanted >= 0) {
                    key = wanted;
                }
            }
            const bool enabled = model.keyboard().enabled(key);
            const bool wrongPress
                = enabled && open >= 0 && model.keyboard().Alfabeto(key + 1) != keyFor(word.mid(open, 1));
            model.press(key);
            if (wrongPress) {
                wrong = bump(wrong);
            }
        } else if (move < 82) {
            clock.now += 1.0 + session.pick(4);
            model.tick();
        } else if (move < 87) {
            model.avanti();
        } else if (move < 91) {
            model.setCase(session.pick(2) == 0 ? LetterCase::Lower : LetterCase::Upper);
        } else if (move < 94) {
            model.help(boxes);
        } else if (move < 96) {
            model.reset();
            wrong = 0;
        } else if (move < 99) {
            ASSERT_TRUE(model.leave(boxes));
            wrong = 0;
            session.state.AttendiAvanti = session.pick(2) == 0;
            model.open();
        } else {
            // A new list can only be chosen in the menu: leave, change it, come back.
            ASSERT_TRUE(model.leave(boxes));
            wrong = 0;
            loadLetterList(session, 1 + session.pick(15));
            model.open();
        }
        ASSERT_GE(model.IndiceParola(), 1);
        ASSERT_LE(model.IndiceParola(), session.state.NumeroParole);
        ASSERT_EQ(model.frame().errati(), wrong);
        ASSERT_GE(model.frame().esatti(), 0);
        ASSERT_EQ(session.state.ContaEsatti, 0) << "spell-the-word keeps its own counts";
        ASSERT_EQ(session.state.ContaErrati, 0);
        QString placed = model.display();
        placed.remove(QLatin1Char(' '));
        // One character a position: a placed letter, or "_" for an open one (blanks of the word included).
        ASSERT_EQ(placed.size(), session.state.word(model.IndiceParola()).size());
        if (model.timerEnabled()) {
            ASSERT_EQ(model.display(), session.state.word(model.IndiceParola()));
        }
        if (model.frame().esatti() == rightBefore + 1) {
            ++completedWords;
        }
        if (!model.frame().avantiVisible()) {
            ASSERT_FALSE(model.frame().avantiEnabled());
        }
    }
    EXPECT_GT(completedWords, 30) << "the session must also complete words, not only miss";
}

} // namespace
