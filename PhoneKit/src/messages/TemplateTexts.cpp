#include "PhoneKit/messages/TemplateTexts.h"

// The built-in texts of the ready-made slots. Starter entries are a title
// line ending in its emoji, a line break and a wish; personal entries are the
// one-line label shown until the user fills the slot. Every table carries all
// thirteen keys: tests hold them to that.
// clang-format off

namespace PhoneKit::TemplateTexts {

const std::map<std::string, Table, std::less<>>& all() {
    static const std::map<std::string, Table, std::less<>> tables = {
        {"en",
         {
             {"baby_boy", "Congratulations on your baby boy 👶💙\nMay he grow up healthy and happy, and bring you endless joy"},
             {"baby_girl", "Congratulations on your baby girl 👶🩷\nMay she grow up healthy and happy, and fill your home with joy"},
             {"condolence", "My deepest condolences 🤍\nMay God have mercy on them and grant you and your family patience"},
             {"national_address", "National address"},
             {"iban", "My IBAN"},
             {"home_location", "Home location"},
             {"wedding", "Congratulations on your wedding 💍\nWishing you both a lifetime of love and happiness"},
             {"graduation", "Congratulations on your graduation 🎓\nSo proud of you. Here's to what comes next"},
             {"eid", "Eid Mubarak 🌙\nMay God accept from us and from you. Wishing you and your family a happy Eid"},
             {"ramadan", "Ramadan Kareem 🌙\nMay this month bring you peace, blessings and accepted fasting"},
             {"jumuah", "Jumu'ah Mubarak 🕌\nMay this Friday bring you blessings and peace"},
             {"get_well", "Get well soon 🤲\nWishing you a quick and full recovery"},
             {"thanks", "Thank you so much 🌹\nI really appreciate it"},
         }},
        {"ar",
         {
             {"baby_boy", "مبارك المولود 👶💙\nبورك لك في الموهوب، وشكرت الواهب، وبلغ أشده، ورزقت بره"},
             {"baby_girl", "مبارك المولودة 👶🩷\nجعلها الله من مواليد السعادة، وأنبتها نباتًا حسنًا، وأقر بها عينك"},
             {"condolence", "عظم الله أجركم وأحسن عزاءكم وغفر لميتكم 🤍"},
             {"national_address", "العنوان الوطني"},
             {"iban", "رقم الآيبان"},
             {"home_location", "موقع البيت"},
             {"wedding", "بارك الله لكما وبارك عليكما وجمع بينكما في خير 💍"},
             {"graduation", "مبارك التخرج 🎓\nفخورون بك، وعقبال أعلى المراتب"},
             {"eid", "عيدكم مبارك 🌙\nتقبل الله منا ومنكم، وكل عام وأنتم بخير"},
             {"ramadan", "رمضان كريم 🌙\nمبارك عليكم الشهر، تقبل الله صيامكم وقيامكم"},
             {"jumuah", "جمعة مباركة 🕌\nأسأل الله أن يجعلها جمعة خير وبركة عليك"},
             {"get_well", "شفاك الله وعافاك 🤲\nطهور إن شاء الله، لا بأس عليك"},
             {"thanks", "شكرًا جزيلًا 🌹\nجزاك الله خيرًا"},
         }},
        {"zh-Hans",
         {
             {"baby_boy", "恭喜您喜得贵子 👶💙\n愿真主护佑他健康快乐地成长，给您全家带来无尽的欢乐"},
             {"baby_girl", "恭喜您喜得千金 👶🩷\n愿真主护佑她健康快乐地成长，让您的家充满欢笑"},
             {"condolence", "深表哀悼 🤍\n愿真主慈悯亡人，赐您和家人坚忍与安慰"},
             {"national_address", "沙特国家地址"},
             {"iban", "我的 IBAN"},
             {"home_location", "我家的位置"},
             {"wedding", "新婚快乐 💍\n愿真主赐福你们的婚姻，祝你们白头偕老，幸福美满"},
             {"graduation", "恭喜您顺利毕业 🎓\n祝您前程似锦，再创佳绩"},
             {"eid", "尔德节吉庆 🌙\n愿真主准承我们和您的善功，祝您和家人节日快乐"},
             {"ramadan", "斋月吉庆 🌙\n愿真主准承您的斋戒和拜功，赐您和家人平安与福泽"},
             {"jumuah", "主麻吉庆 🕌\n愿真主在这个主麻日赐您福泽与平安"},
             {"get_well", "早日康复 🤲\n愿真主赐您痊愈，身体健康平安"},
             {"thanks", "非常感谢您 🌹\n真心感激，愿真主回赐您"},
         }},
        {"ja",
         {
             {"baby_boy", "男の子のご誕生おめでとうございます 👶💙\n健やかに幸せに育ち、ご家族にたくさんの喜びをもたらしますように"},
             {"baby_girl", "女の子のご誕生おめでとうございます 👶🩷\n健やかに幸せに育ち、ご家庭が喜びで満たされますように"},
             {"condolence", "心よりお悔やみ申し上げます 🤍\nアッラーが故人にお慈悲をお与えくださり、ご家族の皆様に忍耐と心の安らぎを授けてくださいますように"},
             {"national_address", "サウジのナショナルアドレス"},
             {"iban", "私のIBAN"},
             {"home_location", "自宅の位置情報"},
             {"wedding", "ご結婚おめでとうございます 💍\nお二人にアッラーの祝福がありますように。末永いお幸せをお祈りしています"},
             {"graduation", "ご卒業おめでとうございます 🎓\n長年のご努力が実りましたね。今後のますますのご活躍をお祈りしています"},
             {"eid", "イード・ムバーラク 🌙\nアッラーが私たちの善行を受け入れてくださいますように。ご家族の皆様と楽しいイードをお過ごしください"},
             {"ramadan", "ラマダーン・カリーム 🌙\nアッラーが断食と礼拝を受け入れてくださり、この月が平安と祝福に満ちたものとなりますように"},
             {"jumuah", "ジュムア・ムバーラク 🕌\nこの金曜日にアッラーの祝福と平安がありますように"},
             {"get_well", "お見舞い申し上げます 🤲\nアッラーのお恵みにより一日も早く回復されますよう、心よりお祈りしています"},
             {"thanks", "本当にありがとうございます 🌹\n心から感謝しています"},
         }},
        {"ko",
         {
             {"baby_boy", "득남을 진심으로 축하드립니다 👶💙\n아기가 건강하고 행복하게 자라 가정에 큰 기쁨이 되기를 바랍니다"},
             {"baby_girl", "득녀를 진심으로 축하드립니다 👶🩷\n아기가 건강하고 행복하게 자라 온 집안을 기쁨으로 채우기를 바랍니다"},
             {"condolence", "깊은 애도를 표합니다 🤍\n알라께서 고인에게 자비를 베푸시고 가족분들께 인내와 위안을 내려 주시기를 기도합니다"},
             {"national_address", "사우디 국가 주소"},
             {"iban", "제 IBAN"},
             {"home_location", "집 위치"},
             {"wedding", "결혼을 진심으로 축하드립니다 💍\n알라께서 두 분의 가정을 축복하시고 평생 사랑과 행복이 가득하기를 바랍니다"},
             {"graduation", "졸업을 진심으로 축하드립니다 🎓\n그동안 정말 수고 많으셨습니다. 앞날에 좋은 일만 가득하기를 바랍니다"},
             {"eid", "이드 무바라크 🌙\n알라께서 우리 모두의 선행을 받아 주시기를 기원합니다. 가족분들과 함께 행복한 이드 보내시기 바랍니다"},
             {"ramadan", "라마단 카림 🌙\n알라께서 단식과 예배를 받아 주시고 이번 달이 평안과 축복으로 가득하기를 기원합니다"},
             {"jumuah", "주마 무바라크 🕌\n이번 금요일에 알라의 축복과 평안이 함께하기를 바랍니다"},
             {"get_well", "빠른 쾌유를 빕니다 🤲\n알라께서 하루빨리 온전히 회복시켜 주시기를 기도합니다"},
             {"thanks", "정말 감사합니다 🌹\n알라께서 좋은 것으로 보답해 주시기를 바랍니다"},
         }},
        {"es",
         {
             {"baby_boy", "¡Felicidades por el nacimiento de tu hijo! 👶💙\nQue crezca sano y feliz y te dé muchas alegrías"},
             {"baby_girl", "¡Felicidades por el nacimiento de tu hija! 👶🩷\nQue crezca sana y feliz y llene tu hogar de alegría"},
             {"condolence", "Mi más sentido pésame 🤍\nQue Dios tenga misericordia de su alma y les dé paciencia y fortaleza a ti y a toda tu familia"},
             {"national_address", "Dirección nacional saudí"},
             {"iban", "Mi IBAN"},
             {"home_location", "Ubicación de casa"},
             {"wedding", "¡Muchas felicidades por la boda! 💍\nQue Dios bendiga este matrimonio y lo llene de amor y felicidad para toda la vida"},
             {"graduation", "¡Felicidades por tu graduación! 🎓\n¡Qué gran logro! Te deseo mucho éxito en esta nueva etapa"},
             {"eid", "¡Eid Mubarak! 🌙\nQue Dios acepte nuestras buenas obras y las tuyas. ¡Feliz Eid para ti y para toda tu familia!"},
             {"ramadan", "¡Ramadán Karim! 🌙\nQue Dios acepte tu ayuno y tus oraciones, y que este mes te llene de paz y bendiciones"},
             {"jumuah", "¡Yumu'a Mubarak! 🕌\nQue Dios haga de este viernes un día de bendición y de paz para ti"},
             {"get_well", "¡Que te mejores pronto! 🤲\nQue Dios te conceda una recuperación rápida y completa"},
             {"thanks", "¡Muchísimas gracias! 🌹\nTe lo agradezco de corazón. Que Dios te lo pague"},
         }},
        {"fr",
         {
             {"baby_boy", "Félicitations pour la naissance de votre petit garçon 👶💙\nQue Dieu le protège, qu'il grandisse en bonne santé et vous apporte beaucoup de joie"},
             {"baby_girl", "Félicitations pour la naissance de votre petite fille 👶🩷\nQue Dieu la protège, qu'elle grandisse en bonne santé et remplisse votre foyer de bonheur"},
             {"condolence", "Mes plus sincères condoléances 🤍\nQue Dieu lui fasse miséricorde et vous accorde patience et réconfort, à vous et à toute votre famille"},
             {"national_address", "Adresse nationale saoudienne"},
             {"iban", "Mon IBAN"},
             {"home_location", "Position du domicile"},
             {"wedding", "Félicitations pour votre mariage 💍\nTous mes vœux de bonheur à tous les deux. Que Dieu bénisse votre union"},
             {"graduation", "Félicitations pour votre diplôme 🎓\nQuelle belle réussite\u202F! Tous mes vœux de succès pour la suite"},
             {"eid", "Aïd Moubarak 🌙\nQue Dieu accepte nos bonnes actions et les vôtres. Bonne fête de l'Aïd à vous et à vos proches"},
             {"ramadan", "Ramadan Karim 🌙\nQue Dieu accepte votre jeûne et vos prières, et que ce mois vous apporte paix et bénédictions"},
             {"jumuah", "Joumoua Moubaraka 🕌\nQue Dieu fasse de ce vendredi un jour de bénédiction et de paix pour vous"},
             {"get_well", "Prompt rétablissement 🤲\nQue Dieu vous accorde une guérison rapide et complète"},
             {"thanks", "Merci infiniment 🌹\nC'est vraiment très gentil de votre part. Que Dieu vous récompense"},
         }},
        {"de",
         {
             {"baby_boy", "Herzlichen Glückwunsch zur Geburt deines Sohnes 👶💙\nMöge er gesund und glücklich aufwachsen und dir viel Freude bereiten"},
             {"baby_girl", "Herzlichen Glückwunsch zur Geburt deiner Tochter 👶🩷\nMöge sie gesund und glücklich aufwachsen und dein Zuhause mit Freude erfüllen"},
             {"condolence", "Mein aufrichtiges Beileid 🤍\nMöge Gott dem Menschen, den du verloren hast, barmherzig sein und dir und deiner Familie Geduld und Kraft schenken"},
             {"national_address", "Saudische Nationaladresse"},
             {"iban", "Meine IBAN"},
             {"home_location", "Standort Zuhause"},
             {"wedding", "Herzlichen Glückwunsch zur Hochzeit 💍\nMöge Gott eure Ehe segnen und euch ein Leben voller Liebe und Glück schenken"},
             {"graduation", "Herzlichen Glückwunsch zum Abschluss 🎓\nDas hast du großartig gemacht! Für deinen weiteren Weg wünsche ich dir viel Erfolg"},
             {"eid", "Eid Mubarak 🌙\nMöge Gott unsere und deine guten Taten annehmen. Ich wünsche dir und deiner Familie ein gesegnetes Fest"},
             {"ramadan", "Ramadan Kareem 🌙\nMöge Gott dein Fasten und deine Gebete annehmen und dir einen gesegneten Monat schenken"},
             {"jumuah", "Jumu'a Mubarak 🕌\nMöge dieser Freitag dir Segen und Frieden bringen"},
             {"get_well", "Gute Besserung 🤲\nMöge Gott dich bald wieder ganz gesund werden lassen"},
             {"thanks", "Vielen herzlichen Dank 🌹\nIch weiß das wirklich zu schätzen"},
         }},
        {"it",
         {
             {"baby_boy", "Congratulazioni per la nascita del tuo bambino 👶💙\nChe cresca sano e felice e ti riempia la vita di gioia"},
             {"baby_girl", "Congratulazioni per la nascita della tua bambina 👶🩷\nChe cresca sana e felice e riempia di gioia la tua casa"},
             {"condolence", "Le mie più sentite condoglianze 🤍\nChe Dio abbia misericordia della sua anima e conceda a te e alla tua famiglia pazienza e forza"},
             {"national_address", "Indirizzo nazionale saudita"},
             {"iban", "Il mio IBAN"},
             {"home_location", "Posizione di casa"},
             {"wedding", "Congratulazioni per il vostro matrimonio 💍\nChe Dio benedica la vostra unione e vi doni una lunga vita insieme, piena d'amore e di felicità"},
             {"graduation", "Congratulazioni per la laurea 🎓\nChe bel traguardo! Ti auguro tanti successi per il futuro"},
             {"eid", "Eid Mubarak 🌙\nChe Dio accetti le nostre buone azioni e le tue. Buon Eid a te e a tutta la tua famiglia"},
             {"ramadan", "Ramadan Karim 🌙\nChe Dio accetti il tuo digiuno e le tue preghiere, e che questo mese ti porti pace e benedizioni"},
             {"jumuah", "Jumu'a Mubarak 🕌\nChe Dio renda questo venerdì un giorno di benedizione e di pace per te"},
             {"get_well", "Guarisci presto 🤲\nChe Dio ti conceda una pronta e completa guarigione"},
             {"thanks", "Grazie mille 🌹\nDavvero gentile da parte tua. Che Dio ti ricompensi"},
         }},
        {"pt-BR",
         {
             {"baby_boy", "Parabéns pela chegada do seu menino 👶💙\nQue ele cresça com saúde e felicidade e traga muita alegria para você e sua família"},
             {"baby_girl", "Parabéns pela chegada da sua menina 👶🩷\nQue ela cresça com saúde e felicidade e encha o seu lar de alegria"},
             {"condolence", "Meus sinceros pêsames 🤍\nQue Deus tenha misericórdia de quem partiu e conceda a você e à sua família paciência e conforto"},
             {"national_address", "Endereço nacional saudita"},
             {"iban", "Meu IBAN"},
             {"home_location", "Localização de casa"},
             {"wedding", "Parabéns pelo casamento 💍\nQue Deus abençoe a união de vocês e que sejam muito felizes juntos"},
             {"graduation", "Parabéns pela formatura 🎓\nQue conquista! Desejo a você muito sucesso nesta nova etapa"},
             {"eid", "Eid Mubarak 🌙\nQue Deus aceite as nossas boas ações e as suas. Desejo a você e à sua família um feliz Eid"},
             {"ramadan", "Ramadan Karim 🌙\nQue Deus aceite o seu jejum e as suas orações, e que este mês traga paz e bênçãos para você"},
             {"jumuah", "Jumu'a Mubarak 🕌\nQue Deus faça desta sexta-feira um dia de bênçãos e paz para você"},
             {"get_well", "Melhoras 🤲\nQue Deus conceda a você uma recuperação rápida e completa"},
             {"thanks", "Agradeço de coração 🌹\nFoi muito gentil da sua parte. Que Deus lhe pague"},
         }},
        {"ru",
         {
             {"baby_boy", "Поздравляю вас с рождением сына 👶💙\nПусть растёт здоровым и счастливым вам на радость"},
             {"baby_girl", "Поздравляю вас с рождением дочери 👶🩷\nПусть растёт здоровой и счастливой и наполняет ваш дом радостью"},
             {"condolence", "Примите мои искренние соболезнования 🤍\nПусть Аллах помилует усопшего и дарует вам и вашей семье терпение и силы"},
             {"national_address", "Саудовский национальный адрес"},
             {"iban", "Мой IBAN"},
             {"home_location", "Местоположение дома"},
             {"wedding", "Поздравляю вас со свадьбой 💍\nПусть Аллах благословит ваш союз и дарует вам любовь и счастье на долгие годы"},
             {"graduation", "Поздравляю вас с выпуском 🎓\nЭто большое достижение. Желаю вам успехов на новом этапе"},
             {"eid", "Ид Мубарак 🌙\nДа примет Аллах от нас и от вас. Поздравляю с праздником вас и всю вашу семью"},
             {"ramadan", "Рамадан Карим 🌙\nПусть Аллах примет ваш пост и молитвы, а этот месяц принесёт вам мир и благодать"},
             {"jumuah", "Джума Мубарак 🕌\nПусть эта пятница принесёт вам благодать и покой"},
             {"get_well", "Скорейшего выздоровления 🤲\nПусть Аллах пошлёт вам быстрое и полное исцеление"},
             {"thanks", "Огромное спасибо 🌹\nДа воздаст вам Аллах благом"},
         }},
    };
    return tables;
}

const std::vector<Retired>& retired() {
    static const std::vector<Retired> texts = {
        {"condolence", "ko", "깊은 위로를 드립니다 🤍\n알라께서 고인에게 자비를 베푸시고 가족분들께 인내와 위안을 내려 주시기를 기도합니다"},
        {"jumuah", "ko", "주마 무바라크 🕌\n이번 주마에 알라의 축복과 평안이 함께하기를 바랍니다"},
        {"ramadan", "es", "Ramadán Karim 🌙\nQue Dios acepte tu ayuno y tus oraciones, y que este mes te llene de paz y bendiciones"},
        {"jumuah", "es", "Yumu'a Mubarak 🕌\nQue Dios haga de este viernes un día de bendición y de paz para ti"},
        {"get_well", "es", "Que te mejores pronto 🤲\nQue Dios te conceda una pronta y completa recuperación"},
        {"thanks", "es", "Muchísimas gracias 🌹\nTe lo agradezco de corazón. Que Dios te lo pague"},
        {"baby_boy", "de", "Herzlichen Glückwunsch zur Geburt eures Sohnes 👶💙\nMöge er gesund und glücklich aufwachsen und euch viel Freude bereiten"},
        {"baby_girl", "de", "Herzlichen Glückwunsch zur Geburt eurer Tochter 👶🩷\nMöge sie gesund und glücklich aufwachsen und euer Zuhause mit Freude erfüllen"},
        {"condolence", "de", "Mein aufrichtiges Beileid 🤍\nMöge Gott dem Menschen, den ihr verloren habt, barmherzig sein und euch Geduld und Kraft schenken"},
        {"eid", "de", "Eid Mubarak 🌙\nMöge Gott es von uns und von euch annehmen. Ich wünsche dir und deiner Familie ein gesegnetes Fest"},
        {"eid", "ru", "Ид Мубарак 🌙\nДа примет Аллах от нас и от вас. Счастливого праздника вам и вашей семье"},
    };
    return texts;
}
// clang-format on

const Table& table(std::string_view languageID) {
    const auto& tables = all();
    if (auto exact = tables.find(languageID); exact != tables.end()) return exact->second;
    const std::string_view base = languageID.substr(0, languageID.find_first_of("-_"));
    for (const auto& [id, texts] : tables) {
        if (id == base || (id.size() > base.size() && id.starts_with(base) && id[base.size()] == '-')) return texts;
    }
    return tables.find("en")->second;
}

}  // namespace PhoneKit::TemplateTexts
