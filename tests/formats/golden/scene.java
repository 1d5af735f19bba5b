// GRAVOX Java Metafile
// Creator: GRAVOX 10.4
// Date   : 07.12.2026, 09:05:03
// Size   : 853 603

import java.applet.*;
import java.awt.*;

public class gravox extends Applet {
public void paint(Graphics g) {
  g.setColor (new Color (0,0,0));
  g.drawLine (0,0,0,602);
  g.drawLine (0,602,852,602);
  g.drawLine (852,602,852,0);
  g.drawLine (852,0,0,0);
  g.setColor (new Color (255,0,0));
  g.drawLine (86,287,95,264);
  g.drawLine (95,264,103,242);
  g.drawLine (103,242,112,222);
  g.drawLine (112,222,120,205);
  g.drawLine (120,205,129,190);
  g.drawLine (129,190,138,180);
  g.drawLine (138,180,146,174);
  g.drawLine (146,174,155,172);
  g.drawLine (155,172,163,175);
  g.drawLine (163,175,172,182);
  g.drawLine (172,182,181,194);
  g.drawLine (181,194,189,209);
  g.drawLine (189,209,198,228);
  g.drawLine (198,228,206,248);
  g.drawLine (206,248,215,271);
  g.drawLine (215,271,224,293);
  g.drawLine (224,293,232,316);
  g.drawLine (232,316,241,338);
  g.drawLine (241,338,250,357);
  g.drawLine (250,357,258,374);
  g.drawLine (258,374,267,387);
  g.drawLine (267,387,275,396);
  g.drawLine (275,396,284,401);
  g.drawLine (284,401,293,401);
  g.drawLine (293,401,301,397);
  g.drawLine (301,397,310,388);
  g.drawLine (310,388,318,375);
  g.drawLine (318,375,327,359);
  g.drawLine (327,359,336,340);
  g.drawLine (336,340,344,319);
  g.drawLine (344,319,353,296);
  g.drawLine (353,296,361,273);
  g.drawLine (361,273,370,251);
  g.drawLine (370,251,379,230);
  g.drawLine (379,230,387,211);
  g.drawLine (387,211,396,196);
  g.drawLine (396,196,404,184);
  g.drawLine (404,184,413,176);
  g.drawLine (413,176,422,172);
  g.drawLine (422,172,430,173);
  g.drawLine (430,173,439,179);
  g.drawLine (439,179,447,189);
  g.drawLine (447,189,456,203);
  g.drawLine (456,203,465,220);
  g.drawLine (465,220,473,240);
  g.drawLine (473,240,482,261);
  g.drawLine (482,261,490,284);
  g.drawLine (490,284,499,307);
  g.drawLine (499,307,508,329);
  g.drawLine (508,329,516,349);
  g.drawLine (516,349,525,367);
  g.drawLine (525,367,533,382);
  g.drawLine (533,382,542,393);
  g.drawLine (542,393,551,399);
  g.drawLine (551,399,559,402);
  g.drawLine (559,402,568,399);
  g.drawLine (568,399,576,392);
  g.drawLine (576,392,585,381);
  g.drawLine (585,381,594,366);
  g.setColor (new Color (0,0,255));
  g.drawLine (29,29,229,115);
  g.drawLine (29,516,430,545);
  g.drawLine (28,517,431,545);
  g.drawLine (431,545,431,545);
  g.drawLine (431,545,28,516);
  g.drawLine (28,516,28,517);
  g.drawLine (28,517,431,546);
  g.drawLine (431,546,431,544);
  g.drawLine (431,544,28,515);
  g.drawLine (28,515,28,517);
  g.drawLine (27,518,432,546);
  g.drawLine (432,546,432,544);
  g.drawLine (432,544,27,515);
  g.drawLine (27,515,27,518);
  g.setColor (new Color (0,128,255));
  g.fillRect (574,57,173,116);
  g.setColor (new Color (0,0,255));
  g.setColor (new Color (0,255,0));
  g.fillPolygon (new int[] {631,803,774,660,602},
    new int[] {344,373,516,545,430}, 5);
  }
}
