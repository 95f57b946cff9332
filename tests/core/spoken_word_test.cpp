#include "core/alphabet.h"
#include "exercises/letters/missing_letter_exercise.h"
#include "exercises/letters/spell_word_exercise.h"
#include "exercises/pictures/choice_exercise.h"
#include "exercises/pictures/words_onto_pictures_exercise.h"
#include "fakes.h"
#include "feedback/word_speaker.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// Says words as a sound bank would, on the test's clock: the answer sound lasts kAnswer, the word kWord after it.
class FakeSpeaker final : public WordSpeaker {
public:
    static constexpr double kAnswer = 0.75;
    static constexpr double kWord = 0.6;

    explicit FakeSpeaker(FakeClock& clock, Recorder& recorder)
        : m_clock(clock)
        , m_recorder(recorder)
    {
    }
    void prepareWord(const QString& word) override { prepared.append(word); }
    void answerThenWord(const QString& answerPath, const QString& word) override
    {
        said.append(word);
        m_recorder.log.append(
            QStringLiteral("play ") + answerPath.section(QLatin1Char('/'), -1) + QStringLiteral(" then ") + word);
        if (device) {
            m_until = m_clock.now + kAnswer + kWord;
        }
    }
    void silenceWord() override
    {
        ++silenced;
        if (m_until && m_clock.now >= *m_until - kWord) {
            m_until.reset();
        }
    }
    std::optional<double> heardUntil() const override
    {
        return m_until && m_clock.now < *m_until ? m_until : std::nullopt;
    }

    QStringList prepared;
    QStringList said;
    int silenced = 0;
    bool device = true;

private:
    FakeClock& m_clock;
    Recorder& m_recorder;
    std::optional<double> m_until;
};

int key(const QString& letter)
{
    return static_cast<int>(keyboardAlphabet().indexOf(keyFor(letter).toLower()));
}

// Every exercise with the spoken word on, drawing from a seeded random source.
struct Voiced {
    Voiced()
        : sounds(recorder)
        , beeper(recorder)
        , feedback(sounds, beeper, random, QStringLiteral("/suoni"))
        , pictures(pictureKind(), {})
        , speaker(clock, recorder)
    {
        const QStringList words {"cane", "gatto", "mela", "pane", "luna", "sole", "rana", "nave"};
        for (int i = 0; i < words.size(); ++i) {
            state.word(i + 1) = words.at(i);
        }
        state.NumeroParole = static_cast<qint16>(words.size());
        feedback.setSpeaker(&speaker);
    }
    ExerciseServices services() { return {state, random, feedback, pictures, clock}; }
    void pass(double seconds) { clock.now += seconds; }

    Recorder recorder;
    SharedState state;
    SeededRandom random {11};
    FakeSoundPlayer sounds;
    FakeBeeper beeper;
    Feedback feedback;
    ContentFinder pictures;
    FakeClock clock;
    FakeSpeaker speaker;
};

// One exercise: how it is made, how a right answer is given (answering the word that is then said), a wrong one,
// and whether the item on screen is still the one answered.
struct ExerciseCase {
    const char* name;
    std::function<std::unique_ptr<Exercise>(ExerciseServices)> make;
    // Gives the right answer(s) that complete the item; the words that are said, in order.
    std::function<QStringList(Exercise&, Voiced&)> answerRight;
    std::function<void(Exercise&)> answerWrong;
    // A value that changes with every new item.
    std::function<int(Exercise&)> item;
};

void PrintTo(const ExerciseCase& c, std::ostream* out)
{
    *out << c.name;
}

QStringList completeMissingLetter(Exercise& e, Voiced& v)
{
    auto& m = static_cast<MissingLetterExercise&>(e);
    const QString word = v.state.word(m.IndiceParola());
    m.press(key(m.LetteraNascosta()));
    return {word};
}

void wrongMissingLetter(Exercise& e)
{
    auto& m = static_cast<MissingLetterExercise&>(e);
    for (const QChar c : QStringLiteral("bdfhiqrstvz")) {
        if (QString(c) != keyFor(m.LetteraNascosta()).toLower() && m.keyboard().visible(key(QString(c)))) {
            m.press(key(QString(c)));
            return;
        }
    }
}

QStringList chooseRight(Exercise& e, Voiced& v)
{
    auto& m = static_cast<ChoiceExercise&>(e);
    m.choose(m.PosizioneGiusta() - 1);
    return {v.state.word(m.slot(m.PosizioneGiusta() - 1)).toLower()};
}

void chooseWrong(Exercise& e)
{
    auto& m = static_cast<ChoiceExercise&>(e);
    m.choose(m.PosizioneGiusta() % ChoiceExercise::kChoices);
}

int choiceItem(Exercise& e)
{
    auto& m = static_cast<ChoiceExercise&>(e);
    return m.slot(0) * 100 + m.slot(1) * 10 + m.PosizioneGiusta() + e.frame().background() * 1000;
}

const ExerciseCase kExercises[] = {
    {"MissingFirstLetter",
        [](ExerciseServices s) {
            return std::make_unique<MissingLetterExercise>(s, MissingLetterExercise::kMissingFirstLetter);
        },
        completeMissingLetter, wrongMissingLetter,
        [](Exercise& e) {
            return static_cast<MissingLetterExercise&>(e).IndiceParola() * 1000 + e.frame().background();
        }},
    {"MissingInnerLetter",
        [](ExerciseServices s) {
            return std::make_unique<MissingLetterExercise>(s, MissingLetterExercise::kMissingInnerLetter);
        },
        completeMissingLetter, wrongMissingLetter,
        [](Exercise& e) { return static_cast<MissingLetterExercise&>(e).ContaEsercizi(); }},
    {"SpellWord", [](ExerciseServices s) { return std::make_unique<SpellWordExercise>(s); },
        [](Exercise& e, Voiced& v) {
            auto& m = static_cast<SpellWordExercise&>(e);
            const QString word = v.state.word(m.IndiceParola());
            for (const QChar c : word) {
                m.press(key(QString(c)));
            }
            v.pass(SpellWordExercise::kWait);
            m.tick();
            return QStringList {word};
        },
        [](Exercise& e) {
            auto& m = static_cast<SpellWordExercise&>(e);
            m.press(key(QStringLiteral("z")));
        },
        [](Exercise& e) {
            // The word and the colour: a new item draws both afresh.
            return static_cast<SpellWordExercise&>(e).IndiceParola() * 100000 + e.frame().background();
        }},
    {"WordForPicture",
        [](ExerciseServices s) { return std::make_unique<ChoiceExercise>(s, ChoiceExercise::kWordForPicture); },
        chooseRight, chooseWrong, choiceItem},
    {"PictureForWord",
        [](ExerciseServices s) { return std::make_unique<ChoiceExercise>(s, ChoiceExercise::kPictureForWord); },
        chooseRight, chooseWrong, choiceItem},
    {"WordsOntoPictures", [](ExerciseServices s) { return std::make_unique<WordsOntoPicturesExercise>(s); },
        [](Exercise& e, Voiced& v) {
            auto& m = static_cast<WordsOntoPicturesExercise&>(e);
            QStringList words;
            for (int n = 0; n < WordsOntoPicturesExercise::kWords; ++n) {
                words.append(v.state.word(m.slot(n)));
                m.drop(n, n);
                // Each word is said as it lands; the next drop comes once it has been heard.
                if (n + 1 < WordsOntoPicturesExercise::kWords) {
                    v.pass(FakeSpeaker::kAnswer + FakeSpeaker::kWord);
                }
            }
            return words;
        },
        [](Exercise& e) { static_cast<WordsOntoPicturesExercise&>(e).drop(0, 1); },
        [](Exercise& e) {
            auto& m = static_cast<WordsOntoPicturesExercise&>(e);
            return m.slot(0) * 100 + m.slot(1) * 10 + m.slot(2) + m.columnOrder() * 1000;
        }},
};

class SpokenWord : public ::testing::TestWithParam<ExerciseCase> { };

TEST_P(SpokenWord, ARightAnswerSaysItsWordAndTheAutomaticModeWaitsUntilItIsHeard)
{
    Voiced v;
    v.state.AttendiAvanti = false;
    std::unique_ptr<Exercise> model = GetParam().make(v.services());
    model->open();
    const int first = GetParam().item(*model);
    const QStringList expected = GetParam().answerRight(*model, v);
    EXPECT_EQ(v.speaker.said.join(' ').toLower(), expected.join(' ').toLower());
    for (const QString& word : expected) {
        EXPECT_TRUE(v.speaker.prepared.contains(word, Qt::CaseInsensitive))
            << word.toStdString() << " was prepared when its item was built";
    }
    ASSERT_TRUE(model->frame().nextItemPending());
    const double due = *model->frame().nextItemAt();
    EXPECT_DOUBLE_EQ(due, v.clock.now + FakeSpeaker::kAnswer + FakeSpeaker::kWord + ExerciseFrame::kAfterWord);
    // Ticks while the word is heard leave the item on screen.
    for (double t = 0; t < FakeSpeaker::kAnswer + FakeSpeaker::kWord + ExerciseFrame::kAfterWord - 0.01; t += 0.1) {
        model->bringPendingItem();
        EXPECT_EQ(GetParam().item(*model), first) << "the next item came " << t << " s after the answer";
        v.pass(0.1);
    }
    // The word fell silent meanwhile; the pause after it still counts.
    v.clock.now = due - 0.001;
    model->bringPendingItem();
    EXPECT_TRUE(model->frame().nextItemPending());
    v.clock.now = due;
    model->bringPendingItem();
    EXPECT_FALSE(model->frame().nextItemPending());
    EXPECT_NE(GetParam().item(*model), first);
}

TEST_P(SpokenWord, AWrongAnswerSaysNothing)
{
    Voiced v;
    v.state.AttendiAvanti = false;
    std::unique_ptr<Exercise> model = GetParam().make(v.services());
    model->open();
    GetParam().answerWrong(*model);
    EXPECT_TRUE(v.speaker.said.isEmpty());
    EXPECT_TRUE(v.recorder.log.contains("play no.wav")) << v.recorder.log.join(", ").toStdString();
    EXPECT_FALSE(model->frame().nextItemPending());
}

TEST_P(SpokenWord, TheAvantiModeWaitsForNothingAndAvantiSilencesTheWord)
{
    Voiced v;
    v.state.AttendiAvanti = true;
    std::unique_ptr<Exercise> model = GetParam().make(v.services());
    model->open();
    const int first = GetParam().item(*model);
    GetParam().answerRight(*model, v);
    EXPECT_FALSE(model->frame().nextItemPending());
    EXPECT_TRUE(model->frame().avantiEnabled()) << "avanti takes a click at once";
    const int silencedBefore = v.speaker.silenced;
    model->avanti();
    EXPECT_NE(GetParam().item(*model), first);
    EXPECT_GT(v.speaker.silenced, silencedBefore) << "the word is not said over the next item";
}

TEST_P(SpokenWord, LeavingTheScreenSilencesTheWordAndNothingWaits)
{
    Voiced v;
    v.state.AttendiAvanti = false;
    std::unique_ptr<Exercise> model = GetParam().make(v.services());
    model->open();
    GetParam().answerRight(*model, v);
    ASSERT_TRUE(model->frame().nextItemPending());
    const int silencedBefore = v.speaker.silenced;
    model->close();
    EXPECT_GT(v.speaker.silenced, silencedBefore);
    EXPECT_FALSE(model->frame().nextItemPending());
    EXPECT_FALSE(model->frame().nextItemAt());
}

TEST_P(SpokenWord, WithoutAnAudioDeviceTheNextItemComesAtOnce)
{
    Voiced v;
    v.state.AttendiAvanti = false;
    v.speaker.device = false;
    std::unique_ptr<Exercise> model = GetParam().make(v.services());
    model->open();
    const int first = GetParam().item(*model);
    GetParam().answerRight(*model, v);
    ASSERT_TRUE(model->frame().nextItemPending());
    EXPECT_DOUBLE_EQ(*model->frame().secondsToNextItem(), 0.0);
    model->bringPendingItem();
    EXPECT_NE(GetParam().item(*model), first);
}

INSTANTIATE_TEST_SUITE_P(Exercises, SpokenWord, ::testing::ValuesIn(kExercises),
    [](const ::testing::TestParamInfo<ExerciseCase>& info) { return std::string(info.param.name); });

// While the word of a completed item is said, a key pressed counts for nothing: the item is done.
TEST(SpokenWordKeys, KeysPressedWhileTheWordIsSaidCountForNothing)
{
    Voiced v;
    v.state.AttendiAvanti = false;
    MissingLetterExercise model(v.services(), MissingLetterExercise::kMissingFirstLetter);
    model.open();
    completeMissingLetter(model, v);
    const qint16 right = v.state.ContaEsatti;
    const qint16 wrong = v.state.ContaErrati;
    wrongMissingLetter(model);
    EXPECT_EQ(v.state.ContaEsatti, right);
    EXPECT_EQ(v.state.ContaErrati, wrong);
    EXPECT_EQ(v.recorder.log.filter("no.wav").size(), 0);
}

// Without the spoken word nothing changes: no word is handed on and the next item comes at once.
TEST(SpokenWordOff, TheAnswersSoundAsTheyAlwaysHave)
{
    Voiced v;
    v.feedback.setSpeaker(nullptr);
    v.state.AttendiAvanti = false;
    MissingLetterExercise model(v.services(), MissingLetterExercise::kMissingFirstLetter);
    model.open();
    const int first = model.IndiceParola() * 1000 + model.frame().background();
    completeMissingLetter(model, v);
    EXPECT_FALSE(model.frame().nextItemPending());
    EXPECT_NE(model.IndiceParola() * 1000 + model.frame().background(), first);
    EXPECT_TRUE(v.speaker.said.isEmpty());
    ASSERT_EQ(v.recorder.log.size(), 1);
    EXPECT_TRUE(v.recorder.log.first().startsWith("play si"));
}

} // namespace
