#include "sim_setup.h"

namespace pellora::sim {

bool ParseSimulateValue(const std::string& value, SimSetup& setup, std::string& error) {
    setup.device_type = 1;
    setup.cable = true;
    setup.receiver = false;
    if (value.empty()) {
        return true;
    }
    const std::size_t colon = value.find(':');
    const std::string type_text = value.substr(0, colon);
    const std::string link = colon == std::string::npos ? "cable" : value.substr(colon + 1);
    bool digits = !type_text.empty() && type_text.size() <= 6;
    for (char c : type_text) {
        digits = digits && c >= '0' && c <= '9';
    }
    const SimModel* model = digits ? FindDefaultModel(std::stoi(type_text)) : nullptr;
    if (model == nullptr) {
        error = "no simulated model has device type '" + type_text + "'";
        return false;
    }
    setup.device_type = model->device_type;
    if (link == "cable") {
        setup.cable = true;
        setup.receiver = false;
    } else if (link == "receiver" || link == "both") {
        if (model->receiver_product_id == 0) {
            error = "the simulated model " + type_text + " has no receiver";
            return false;
        }
        setup.cable = link == "both";
        setup.receiver = true;
    } else {
        error = "unknown link '" + link + "' (cable, receiver or both)";
        return false;
    }
    return true;
}

std::unique_ptr<SimulatedBus> CreateSimulatedBus(const SimSetup& setup, DUI::Clock& clock) {
    auto bus = std::make_unique<SimulatedBus>(clock);
    for (const SimModel& model : DefaultModels()) {
        bus->AddMouse(model);
    }
    if (setup.state_file) {
        bus->SetStateFile(*setup.state_file);
    }
    if (setup.cable) {
        bus->Plug(setup.device_type, Link::kCable);
    }
    if (setup.receiver) {
        bus->Plug(setup.device_type, Link::kReceiver);
    }
    return bus;
}

}  // namespace pellora::sim
