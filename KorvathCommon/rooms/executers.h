#pragma once
// Click strategies of hidden-object play, shared by every object that names one in "exe" or "hintexe":
// things to find ("xo"), decoys ("xomiss"), finds without the list check ("xodouble"), tool givers
// ("tool", "toolaftertool", "tooltool"), list interactions ("iteraction") and hint texts ("hint").

#include <string>
#include <vector>

#include "objects/object_services.h"

class TXOExecuter : public TExecuter {
public:
    void RunClick(TObject* object, const TMouseEvent& event) override;
};

class TXOMissExecuter : public TExecuter {
public:
    void RunClick(TObject* object, const TMouseEvent& event) override;
};

class TXODoubleScoresExecuter : public TExecuter {
public:
    void RunClick(TObject* object, const TMouseEvent& event) override;
};

class TGiveTool : public TExecuter {
public:
    void RunClick(TObject* object, const TMouseEvent& event) override;
};

class TGiveToolAfterTool : public TExecuter {
public:
    void RunAfterTool(TObject* object, const TMouseEvent& event) override;
};

class TToolToolExecuter : public TExecuter {
public:
    void RunClick(TObject* object, const TMouseEvent& event) override;
    void RunAfterTool(TObject* object, const TMouseEvent& event) override;
};

class TIteractionExecuter : public TExecuter {
public:
    void RunClick(TObject* object, const TMouseEvent& event) override;
};

// The registered names, in registration order.
std::vector<std::string> GetExecuterNames();
// Deletes every registered strategy; the next lookup registers them again.
void FreeExecuters();
