#include "sim_models.h"

namespace pellora::sim {

const std::vector<SimModel>& DefaultModels() {
    static const std::vector<SimModel> models = [] {
        SimModel a;
        a.device_type = 1;
        a.name = "VX7 Wireless";
        a.model_code = "VX07";
        a.vendor_id = 0x1209;
        a.cable_product_id = 0x5A01;
        a.receiver_product_id = 0x5A02;
        a.release_number = 0x0105;
        a.rate_ceiling = 0x40;
        SimModel b;
        b.device_type = 2;
        b.name = "VX3";
        b.model_code = "VX03";
        b.vendor_id = 0x1209;
        b.cable_product_id = 0x5B01;
        b.receiver_product_id = 0;
        b.release_number = 0x0102;
        b.rate_ceiling = 0x00;
        return std::vector<SimModel>{a, b};
    }();
    return models;
}

const SimModel* FindDefaultModel(int device_type) {
    for (const SimModel& m : DefaultModels()) {
        if (m.device_type == device_type) {
            return &m;
        }
    }
    return nullptr;
}

}  // namespace pellora::sim
