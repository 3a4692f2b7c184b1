#include "raster/raster_mode.h"

#include "settings/settings_keys.h"

namespace vexa::raster {

RasterMode RasterModeFor(std::string_view context) {
  if (context == kImpactHeadContext) {
    return {true,
            "Гравировка ударной головкой",
            "Настройка ударной головки",
            "Длительность импульса при ударе макс/мин, микросек:",
            "наибольшей длительности импульса",
            "наименьшей длительности импульса",
            settings::ImpactHeadKey("")};
  }
  return {false,
          "Гравирование лазером",
          "Настройка лазера",
          "Задержка между шагами при грав-ке, микросек",
          "задержки для чёрного",
          "нижнего порога лазера",
          ""};
}

}  // namespace vexa::raster
