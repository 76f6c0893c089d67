// Answers to LAN sharing's questions and a sound player that only records, for the window
// tests: nothing waits for a user and nothing depends on hearing a sound.
#pragma once

#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "shell/lan/EventSoundPlayer.h"
#include "shell/lan/LanPrompts.h"

namespace nimbus::test {

class FakeLanPrompts : public LanPrompts {
public:
    bool AskYesNo(const std::string &question) override
    {
        asked.push_back(question);
        if (whileAsking)
            whileAsking();
        const auto found = answers.find(question);
        return found != answers.end() ? found->second : answer;
    }
    QString chooseFolder(const QString &start, const QString &suggestedName) override
    {
        chooserStart = start;
        chooserSuggestion = suggestedName;
        return chosenFolder;
    }

    bool answer = true;
    std::map<std::string, bool> answers;
    // Runs while the question is open: window events go on, as they do in a real dialog.
    std::function<void()> whileAsking;
    std::vector<std::string> asked;
    QString chosenFolder;
    QString chooserStart;
    QString chooserSuggestion;
};

class RecordingSoundPlayer : public EventSoundPlayer {
public:
    void playEventSound(const std::string &file) override
    {
        played.push_back(file);
        if (whilePlaying)
            whilePlaying();
    }
    std::vector<std::string> played;
    // Runs "while the sound plays": window events go on, as they do with a real sound.
    std::function<void()> whilePlaying;
};

} // namespace nimbus::test
