#include "raster/raster_mode.h"

#include "app/settings_keys.h"

namespace vexa::raster {

RasterMode RasterModeFor(std::string_view context) {
  if (context == kImpactHeadContext) {
    return {true,
            "Гравировка ударной головкой",
            "Настройка ударной головки",
            "Длительность импульса при ударе макс/мин, микросек:",
            "наибольшей длительности импульса",
            "наименьшей длительности импульса",
            app::ImpactHeadKey("")};
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
