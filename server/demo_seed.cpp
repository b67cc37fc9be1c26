#include "server/demo_seed.h"

#include <string>

#include "server/service_time.h"

namespace line_service {

namespace {

struct Province {
  const char* name;
  std::vector<const char*> cities;
};

// The 34 province-level divisions, by their short names as the client groups and searches them.
const std::vector<Province>& Provinces() {
  static const std::vector<Province> provinces = {
      {"北京", {"北京"}},
      {"天津", {"天津"}},
      {"上海", {"上海"}},
      {"重庆", {"重庆"}},
      {"河北", {"石家庄", "唐山", "保定", "邯郸"}},
      {"山西", {"太原", "大同", "运城"}},
      {"辽宁", {"沈阳", "大连", "鞍山"}},
      {"吉林", {"长春", "吉林"}},
      {"黑龙江", {"哈尔滨", "大庆", "齐齐哈尔"}},
      {"江苏", {"南京", "苏州", "无锡", "徐州"}},
      {"浙江", {"杭州", "宁波", "温州", "金华"}},
      {"安徽", {"合肥", "芜湖", "蚌埠"}},
      {"福建", {"福州", "厦门", "泉州"}},
      {"江西", {"南昌", "赣州", "九江"}},
      {"山东", {"济南", "青岛", "烟台", "潍坊"}},
      {"河南", {"郑州", "洛阳", "南阳"}},
      {"湖北", {"武汉", "宜昌", "襄阳"}},
      {"湖南", {"长沙", "株洲", "衡阳"}},
      {"广东", {"广州", "深圳", "东莞", "佛山"}},
      {"海南", {"海口", "三亚"}},
      {"四川", {"成都", "绵阳", "南充"}},
      {"贵州", {"贵阳", "遵义"}},
      {"云南", {"昆明", "大理", "曲靖"}},
      {"陕西", {"西安", "宝鸡", "咸阳"}},
      {"甘肃", {"兰州", "天水"}},
      {"青海", {"西宁"}},
      {"台湾", {"台北", "高雄"}},
      {"内蒙古", {"呼和浩特", "包头"}},
      {"广西", {"南宁", "桂林", "柳州"}},
      {"西藏", {"拉萨"}},
      {"宁夏", {"银川"}},
      {"新疆", {"乌鲁木齐", "克拉玛依"}},
      {"香港", {"香港"}},
      {"澳门", {"澳门"}},
  };
  return provinces;
}

const char* const kIsps[] = {"电信", "联通", "移动"};
const int kFaults[] = {1, 2, 5};
constexpr int kDynamicLinesPerCity = 3;

std::string LoopbackHost(int network, int index) {
  return "127." + std::to_string(network) + "." + std::to_string(index / 250) + "." + std::to_string(index % 250 + 1);
}

// Spread over the list: about one line in thirty abandoned and one in twenty faulty.
int DynamicStatus(int index) {
  if (index % 29 == 11) return -1;
  if (index % 19 == 7) return kFaults[index / 19 % 3];
  return 0;
}

int StaticStatus(int index) {
  if (index % 23 == 9) return -1;
  if (index % 13 == 4) return kFaults[index / 13 % 3];
  return 0;
}

std::string ExitAddress(int index) {
  return (index % 2 == 0 ? "203.0.113." : "198.51.100.") + std::to_string(index / 2 + 1);
}

}  // namespace

StoreContent DemoContent(std::time_t now) {
  constexpr std::time_t kDay = 24 * 60 * 60;
  StoreContent content;
  content.accounts = {
      {kDemoAccount, kDemoPassword, FormatLocalTime(now + 365 * kDay)},
      {kSecondDemoAccount, kSecondDemoPassword, FormatLocalTime(now + 30 * kDay)},
      {kExpiredDemoAccount, kExpiredDemoPassword, "2023-06-30 12:00:00"},
  };
  for (const Province& province : Provinces()) {
    for (const char* city : province.cities) {
      for (int i = 0; i < kDynamicLinesPerCity; ++i) {
        const int index = static_cast<int>(content.dynamicLines.size());
        content.dynamicLines.push_back(
            {province.name, city, LoopbackHost(1, index), kIsps[index % 3], DynamicStatus(index), ""});
      }
      const int index = static_cast<int>(content.staticLines.size());
      content.staticLines.push_back(
          {province.name, city, LoopbackHost(2, index), kIsps[index % 3], StaticStatus(index), ExitAddress(index)});
    }
  }
  content.reservations = {{kSecondDemoAccount, content.staticLines.front().ip}};
  return content;
}

}  // namespace line_service
