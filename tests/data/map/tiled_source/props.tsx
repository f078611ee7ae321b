<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" tiledversion="1.8.2" name="props" tilewidth="64" tileheight="64" tilecount="4" columns="2">
 <image source="props.bmp" trans="ff00ff" width="128" height="128"/>
  <tile id="0">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="1">
   <properties>
    <property name="walkable" type="bool" value="false"/>
   </properties>
  </tile>
  <tile id="2">
   <properties>
    <property name="walkable" type="bool" value="false"/>
   </properties>
  </tile>
</tileset>
